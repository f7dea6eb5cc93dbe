# Compile options shared by every target of the project.
#
# Pictures must be bit-reproducible, so floating-point contraction is off and
# nothing that relaxes IEEE semantics (-ffast-math, -march=native) is used.
add_library(orv_options INTERFACE)
target_compile_options(orv_options INTERFACE
  -Wall -Wextra -Wpedantic
  -ffp-contract=off
  $<$<BOOL:${ORV_WERROR}>:-Werror>)

if(ORV_SANITIZE)
  target_compile_options(orv_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(orv_options INTERFACE -fsanitize=address,undefined)
endif()

# libFuzzer needs clang; other compilers build the fuzz targets as programs
# that replay their seed corpus.
if(ORV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ORV_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
  target_compile_options(orv_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(orv_options INTERFACE -fsanitize=address,undefined)
endif()
