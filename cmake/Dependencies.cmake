# zlib from the system (the MinGW package for Windows); libjpeg-turbo with
# the libjpeg 8 interface and libdeflate, built once per target by
# scripts/deps.sh.
if(WIN32)
  set(OVIRA_DEPS_TARGET win64)
else()
  set(OVIRA_DEPS_TARGET native)
endif()
set(OVIRA_DEPS_DIR ${CMAKE_SOURCE_DIR}/.deps/${OVIRA_DEPS_TARGET}
    CACHE PATH "Prefix holding libjpeg-turbo and libdeflate for this target")

# A static library that scripts/deps.sh built into the prefix, with the
# header that must come with it.
function(ovira_prebuilt_library target file header what)
  find_library(library_${target} NAMES ${file} PATHS ${OVIRA_DEPS_DIR}/lib
               NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT library_${target} OR NOT EXISTS ${OVIRA_DEPS_DIR}/include/${header})
    message(FATAL_ERROR "${what} not found in ${OVIRA_DEPS_DIR}: run scripts/deps.sh")
  endif()
  add_library(ovira::${target} STATIC IMPORTED GLOBAL)
  set_target_properties(ovira::${target} PROPERTIES
    IMPORTED_LOCATION ${library_${target}}
    INTERFACE_INCLUDE_DIRECTORIES ${OVIRA_DEPS_DIR}/include)
endfunction()

ovira_prebuilt_library(jpeg libjpeg.a jpeglib.h libjpeg-turbo)
ovira_prebuilt_library(deflate libdeflate.a libdeflate.h libdeflate)

if(WIN32)
  # Static zlib, so the program needs no zlib1.dll beside it.
  find_library(OVIRA_ZLIB_LIBRARY NAMES libz.a REQUIRED)
  find_path(OVIRA_ZLIB_INCLUDE zlib.h REQUIRED)
  add_library(ovira::zlib STATIC IMPORTED)
  set_target_properties(ovira::zlib PROPERTIES
    IMPORTED_LOCATION ${OVIRA_ZLIB_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${OVIRA_ZLIB_INCLUDE})
else()
  find_package(ZLIB REQUIRED)
  add_library(ovira::zlib ALIAS ZLIB::ZLIB)
endif()
