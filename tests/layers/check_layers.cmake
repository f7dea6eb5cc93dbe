# Checks a source tree against the layer order: run with -DSOURCE_DIR=<tree>
# -DLINKS=<link graph> [-DLAYERS=<layer file>] as cmake -P. Lists every
# include and every link that points to a higher layer or a peer, every Qt
# include outside the folders that may use Qt, every include a folder is
# barred from (ORV_LAYER_BARRED) and every window or cursor call in an engine
# folder; fails when there is one.
cmake_minimum_required(VERSION 3.25)

get_filename_component(SOURCE_DIR ${SOURCE_DIR} ABSOLUTE)
if(NOT DEFINED LAYERS)
  set(LAYERS ${SOURCE_DIR}/cmake/Layers.cmake)
endif()
include(${LAYERS})

set(rank 0)
foreach(layer IN LISTS ORV_LAYERS)
  string(REPLACE "," ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(rank_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

set(faults "")

# A use of folder `to` by folder `from` is a fault when `to` is a layer that
# is not below `from`.
function(check_use from to what)
  if(from STREQUAL to OR NOT DEFINED rank_${to} OR NOT DEFINED rank_${from})
    return()
  endif()
  if(NOT rank_${to} LESS rank_${from})
    list(APPEND faults "${what}")
    set(faults "${faults}" PARENT_SCOPE)
  endif()
endfunction()

function(inside path folders out)
  foreach(folder IN LISTS folders)
    if(path MATCHES "^${folder}/")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

string(REPLACE "," ";" layer_folders "${ORV_LAYERS}")
foreach(folder IN LISTS layer_folders)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp
    ${SOURCE_DIR}/${folder}/*.h)
  foreach(source IN LISTS sources)
    inside(${source} "${ORV_LAYER_PROGRAMS}" program)
    if(program)
      continue()
    endif()
    inside(${source} "${ORV_QT_FOLDERS}" qt_allowed)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(line MATCHES "[<\"]([A-Za-z0-9_]+)/([^>\"]+)[>\"]")
        check_use(${folder} ${CMAKE_MATCH_1}
          "${source} includes ${CMAKE_MATCH_1}/${CMAKE_MATCH_2}, which is not below ${folder}")
        if("${folder}:${CMAKE_MATCH_1}/${CMAKE_MATCH_2}" IN_LIST ORV_LAYER_BARRED)
          list(APPEND faults "${source} includes ${CMAKE_MATCH_1}/${CMAKE_MATCH_2}, which ${folder} may not use")
        endif()
      elseif(line MATCHES "<(Q[A-Za-z]*)>" AND NOT qt_allowed)
        list(APPEND faults "${source} includes <${CMAKE_MATCH_1}> outside the Qt folders")
      endif()
    endforeach()
  endforeach()
endforeach()

# A call is the name, with or without Ex and the A or W of its text kind,
# followed by its opening parenthesis, or by a name and the parenthesis or
# brace of an object made with it; a longer name that merely ends in one of
# them is no call of it.
list(JOIN ORV_WINDOW_CALLS "|" calls)
set(call_pattern
  "(^|[^A-Za-z0-9_])(${calls})(Ex)?[AW]?([ \t]*\\(|[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*[({])")
foreach(folder IN LISTS ORV_ENGINE_FOLDERS)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp
    ${SOURCE_DIR}/${folder}/*.h)
  foreach(source IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "${call_pattern}")
    foreach(line IN LISTS lines)
      string(REGEX MATCH "${call_pattern}" call "${line}")
      string(REGEX REPLACE "${call_pattern}" "\\2" name "${call}")
      list(APPEND faults "${source} calls ${name}, a window service, in the engine")
    endforeach()
  endforeach()
endforeach()

file(STRINGS ${LINKS} links)
foreach(link IN LISTS links)
  string(REPLACE " " ";" parts "${link}")
  list(GET parts 0 target)
  list(GET parts 1 from)
  list(GET parts 2 library)
  list(GET parts 3 to)
  if(target IN_LIST ORV_LAYER_PROGRAM_TARGETS)
    continue()
  endif()
  string(REGEX REPLACE "/.*" "" from_folder "${from}")
  string(REGEX REPLACE "/.*" "" to_folder "${to}")
  check_use(${from_folder} ${to_folder}
    "${target} (${from}) links ${library} (${to}), which is not below ${from_folder}")
endforeach()

list(LENGTH faults count)
if(count GREATER 0)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "${count} layer faults:\n  ${text}")
endif()
