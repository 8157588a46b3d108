#!/usr/bin/env bash
# Builds libjpeg-turbo (libjpeg 8 interface, static, SIMD) from Debian's
# source package once per target and caches it in .deps/. Later runs only
# check the stamps.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
src_parent="$deps/src"
mkdir -p "$deps" "$src_parent"

jpeg_src=$(ls -d "$src_parent"/libjpeg-turbo-*/ 2>/dev/null | head -n 1 || true)
if [ -z "$jpeg_src" ]; then
  echo "deps: fetching the libjpeg-turbo source package"
  (cd "$src_parent" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) || {
    echo "deps: 'apt-get source libjpeg-turbo' failed; run scripts/setup.sh first" >&2
    exit 1
  }
  jpeg_src=$(ls -d "$src_parent"/libjpeg-turbo-*/ | head -n 1)
fi
jpeg_src=${jpeg_src%/}

build_jpeg() {  # target, extra cmake arguments...
  local target=$1; shift
  local prefix="$deps/$target"
  local stamp="$prefix/.libjpeg-turbo-$(basename "$jpeg_src")"
  [ -f "$stamp" ] && return 0
  echo "deps: building $(basename "$jpeg_src") for $target"
  rm -rf "$deps/build-jpeg-$target"
  cmake -S "$jpeg_src" -B "$deps/build-jpeg-$target" -G "Unix Makefiles" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DWITH_JPEG8=1 -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0 \
    -DWITH_SIMD=1 -DREQUIRE_SIMD=1 -DCMAKE_POSITION_INDEPENDENT_CODE=1 \
    "$@" >"$deps/build-jpeg-$target.log" 2>&1
  cmake --build "$deps/build-jpeg-$target" -j"$(nproc)" >>"$deps/build-jpeg-$target.log" 2>&1
  cmake --install "$deps/build-jpeg-$target" >>"$deps/build-jpeg-$target.log" 2>&1
  rm -rf "$deps/build-jpeg-$target"
  touch "$stamp"
}

build_jpeg native
build_jpeg win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
