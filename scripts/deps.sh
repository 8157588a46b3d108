#!/usr/bin/env bash
# Builds the product's libraries from Debian's source packages once per
# target and caches them in .deps/: libjpeg-turbo (libjpeg 8 interface,
# static, SIMD) and libdeflate (static, the PNG reader's inflate). Later runs
# only check the stamps.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
src_parent="$deps/src"
mkdir -p "$deps" "$src_parent"

source_of() {  # package: prints the unpacked source folder, fetching it once
  local package=$1 found
  found=$(ls -d "$src_parent/$package"-*/ 2>/dev/null | head -n 1 || true)
  if [ -z "$found" ]; then
    echo "deps: fetching the $package source package" >&2
    (cd "$src_parent" && apt-get source -qq "$package" >/dev/null 2>&1) || {
      echo "deps: 'apt-get source $package' failed; run scripts/setup.sh first" >&2
      return 1
    }
    found=$(ls -d "$src_parent/$package"-*/ | head -n 1)
  fi
  echo "${found%/}"
}

build_library() {  # package, source folder, target, cmake arguments...
  local name=$1 src=$2 target=$3; shift 3
  local prefix="$deps/$target"
  local stamp="$prefix/.$name-$(basename "$src")"
  [ -f "$stamp" ] && return 0
  echo "deps: building $(basename "$src") for $target"
  local work="$deps/build-$name-$target" log="$deps/build-$name-$target.log"
  rm -rf "$work"
  cmake -S "$src" -B "$work" -G "Unix Makefiles" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_POSITION_INDEPENDENT_CODE=1 "$@" >"$log" 2>&1
  cmake --build "$work" -j"$(nproc)" >>"$log" 2>&1
  cmake --install "$work" >>"$log" 2>&1
  rm -rf "$work"
  touch "$stamp"
}

# libdeflate of this release builds with its own Makefile: a static
# library and its one header are all the product needs.
build_deflate() {  # target, compiler, archiver, the library the Makefile names
  local target=$1 cc=$2 ar=$3 library=$4
  local prefix="$deps/$target"
  local stamp="$prefix/.libdeflate-$(basename "$deflate_src")"
  [ -f "$stamp" ] && return 0
  echo "deps: building $(basename "$deflate_src") for $target"
  local work="$deps/build-libdeflate-$target" log="$deps/build-libdeflate-$target.log"
  rm -rf "$work"
  cp -r "$deflate_src" "$work"
  make -C "$work" -j"$(nproc)" CC="$cc" AR="$ar" DISABLE_SHARED=1 CFLAGS="-O2 -fPIC" \
    "$library" >"$log" 2>&1
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/$library" "$prefix/lib/libdeflate.a"
  cp "$work/libdeflate.h" "$prefix/include/"
  rm -rf "$work"
  touch "$stamp"
}

jpeg_src=$(source_of libjpeg-turbo)
deflate_src=$(source_of libdeflate)
jpeg_options=(-DWITH_JPEG8=1 -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0
              -DWITH_SIMD=1 -DREQUIRE_SIMD=1)
win64=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")

build_library libjpeg-turbo "$jpeg_src" native "${jpeg_options[@]}"
build_library libjpeg-turbo "$jpeg_src" win64 "${jpeg_options[@]}" "${win64[@]}"
build_deflate native cc ar libdeflate.a
build_deflate win64 x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-ar libdeflatestatic.lib
