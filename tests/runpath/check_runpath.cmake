# Fails for a program whose RUNPATH or RPATH holds an empty entry (the
# working folder), a relative one, or a world-writable folder; entries that
# start with $ORIGIN are the program's own folder and pass.
#   READELF   the readelf to run
#   PROGRAMS  a file that lists the programs, one a line, or
#   INSTALL_SCRIPT, CONFIG, PREFIX  an install script to run into PREFIX,
#             whose installed programs are checked.

# Shows a fault on a line of its own and counts it.
macro(orv_fault text)
  message("${text}")
  math(EXPR faults "${faults} + 1")
endmacro()

if(DEFINED INSTALL_SCRIPT)
  file(REMOVE_RECURSE ${PREFIX})
  execute_process(COMMAND ${CMAKE_COMMAND} -DCMAKE_INSTALL_PREFIX=${PREFIX}
    -DCMAKE_INSTALL_CONFIG_NAME=${CONFIG} -P ${INSTALL_SCRIPT} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "installing into ${PREFIX} failed")
  endif()
  file(GLOB programs ${PREFIX}/bin/*)
  if(NOT programs)
    message(FATAL_ERROR "nothing was installed into ${PREFIX}/bin")
  endif()
else()
  file(STRINGS ${PROGRAMS} programs)
endif()

set(faults 0)
foreach(program IN LISTS programs)
  if(NOT EXISTS ${program})
    orv_fault("${program}: not built")
    continue()
  endif()
  execute_process(COMMAND ${READELF} -d ${program} OUTPUT_VARIABLE dynamic
    RESULT_VARIABLE failed)
  if(failed)
    orv_fault("${program}: readelf failed")
    continue()
  endif()
  string(REGEX MATCHALL "\\((RUNPATH|RPATH)\\)[^[\n]*\\[[^]\n]*\\]" lines "${dynamic}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^\\(([A-Z]+)\\).*$" "\\1" kind "${line}")
    string(REGEX REPLACE "^[^[]*\\[(.*)\\]$" "\\1" path "${line}")
    string(REPLACE ":" ";" entries "${path}")
    set(number 0)
    foreach(entry IN LISTS entries)
      math(EXPR number "${number} + 1")
      if(entry STREQUAL "")
        orv_fault("${program}: ${kind} entry ${number} is empty (the working folder)")
      elseif(entry MATCHES "^\\$(ORIGIN|{ORIGIN})")
      elseif(NOT IS_ABSOLUTE "${entry}")
        orv_fault("${program}: ${kind} entry ${number} \"${entry}\" is relative")
      elseif(IS_DIRECTORY "${entry}")
        execute_process(COMMAND find "${entry}" -maxdepth 0 -perm -o+w
          OUTPUT_VARIABLE writable OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT writable STREQUAL "")
          orv_fault("${program}: ${kind} entry ${number} \"${entry}\" is world-writable")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} faults")
endif()
list(LENGTH programs count)
message(STATUS "${count} programs checked")
