# The guide's pictures of the tone map, density estimation and transparency,
# made by orvantis poster: each pair differs in the options the guide shows.
set(tone_common --type alpha --palette 2 --background 0,0,0 --res 240 --supersample 2 --quiet)
set(tone_pictures
  "tone-log:--method hit-count --filter log --steps 3000000"
  "tone-density:--method hit-count --brightness 1.5 --steps 3000000"
  "de-before:--brightness 2 --steps 300000"
  "de-after:--brightness 2 --de 3 --steps 300000")
foreach(entry ${tone_pictures})
  string(FIND "${entry}" ":" colon)
  string(SUBSTRING "${entry}" 0 ${colon} name)
  math(EXPR from "${colon} + 1")
  string(SUBSTRING "${entry}" ${from} -1 options)
  separate_arguments(options UNIX_COMMAND "${options}")
  set(picture ${ORV_SCREENSHOT_DIR}/${name}.png)
  add_custom_command(
    OUTPUT ${picture}
    COMMAND orvantis poster ${tone_common} ${options} -o ${picture}
    DEPENDS orvantis
    COMMENT "Rendering the guide's picture ${name}.png"
    VERBATIM)
  list(APPEND sample_pictures ${picture})
endforeach()

set(picture ${ORV_SCREENSHOT_DIR}/transparent.png)
add_custom_command(
  OUTPUT ${picture}
  COMMAND orvantis poster --type alpha --res 240 --supersample 2 --steps 1000000
          --brightness 1.5 --background transparent --quiet -o ${picture}
  DEPENDS orvantis
  COMMENT "Rendering the guide's picture transparent.png"
  VERBATIM)
list(APPEND sample_pictures ${picture})
