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

find_library(OVIRA_JPEG_LIBRARY NAMES libjpeg.a PATHS ${OVIRA_DEPS_DIR}/lib
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT OVIRA_JPEG_LIBRARY OR NOT EXISTS ${OVIRA_DEPS_DIR}/include/jpeglib.h)
  message(FATAL_ERROR "libjpeg-turbo not found in ${OVIRA_DEPS_DIR}: run scripts/deps.sh")
endif()
add_library(ovira::jpeg STATIC IMPORTED)
set_target_properties(ovira::jpeg PROPERTIES
  IMPORTED_LOCATION ${OVIRA_JPEG_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${OVIRA_DEPS_DIR}/include)

find_library(OVIRA_DEFLATE_LIBRARY NAMES libdeflate.a PATHS ${OVIRA_DEPS_DIR}/lib
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT OVIRA_DEFLATE_LIBRARY OR NOT EXISTS ${OVIRA_DEPS_DIR}/include/libdeflate.h)
  message(FATAL_ERROR "libdeflate not found in ${OVIRA_DEPS_DIR}: run scripts/deps.sh")
endif()
add_library(ovira::deflate STATIC IMPORTED)
set_target_properties(ovira::deflate PROPERTIES
  IMPORTED_LOCATION ${OVIRA_DEFLATE_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${OVIRA_DEPS_DIR}/include)

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
