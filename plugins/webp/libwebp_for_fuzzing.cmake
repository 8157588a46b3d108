# The fuzzer steers by the branches it sees, and a prebuilt libwebp shows
# it none: under fuzzing, libwebp's decoder is compiled from the same Debian
# source package scripts/deps.sh unpacked, with coverage and the address
# sanitizer. (Not the undefined-behaviour one: a finding inside libwebp
# would stop the run with nothing of ours to fix.)
file(GLOB libwebp_lists ${CMAKE_SOURCE_DIR}/.deps/src/libwebp-*/CMakeLists.txt)
if(NOT libwebp_lists)
  message(FATAL_ERROR "libwebp's source not found in .deps/src: run scripts/deps.sh")
endif()
list(GET libwebp_lists 0 libwebp_lists)
get_filename_component(libwebp_source ${libwebp_lists} DIRECTORY)

foreach(part ANIM_UTILS CWEBP DWEBP GIF2WEBP IMG2WEBP VWEBP WEBPINFO LIBWEBPMUX WEBPMUX EXTRAS)
  set(WEBP_BUILD_${part} OFF CACHE BOOL "" FORCE)
endforeach()
set(WEBP_USE_THREAD OFF CACHE BOOL "" FORCE)
add_subdirectory(${libwebp_source} ${CMAKE_BINARY_DIR}/libwebp EXCLUDE_FROM_ALL)
foreach(part webpdecode webpdspdecode webputilsdecode)
  target_compile_options(${part} PRIVATE -fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer -gline-tables-only)
endforeach()
# Its headers sit in src/webp/ of the source, where the prebuilt one has include/webp/.
target_include_directories(webpdecoder INTERFACE $<BUILD_INTERFACE:${libwebp_source}/src>)
add_library(ovira::webp ALIAS webpdecoder)
