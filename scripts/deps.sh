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

# Runs `builder source work prefix arguments...` once per package version
# and target; its output goes to a log beside the cache. Builders return
# non-zero at their first failure (set -e does not reach inside ||).
build_once() {  # package, source folder, target, builder, arguments...
  local name=$1 src=$2 target=$3 builder=$4; shift 4
  local prefix="$deps/$target"
  local stamp="$prefix/.$name-$(basename "$src")"
  [ -f "$stamp" ] && return 0
  echo "deps: building $(basename "$src") for $target"
  local work="$deps/build-$name-$target"
  rm -rf "$work"
  local log="$deps/build-$name-$target.log"
  "$builder" "$src" "$work" "$prefix" "$@" >"$log" 2>&1 || {
    echo "deps: building $(basename "$src") for $target failed; see $log" >&2
    exit 1
  }
  rm -rf "$work"
  touch "$stamp"
}

with_cmake() {  # source, work, prefix, cmake arguments...
  local src=$1 work=$2 prefix=$3; shift 3
  cmake -S "$src" -B "$work" -G "Unix Makefiles" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_POSITION_INDEPENDENT_CODE=1 "$@" || return 1
  cmake --build "$work" -j"$(nproc)" || return 1
  cmake --install "$work"
}

# libdeflate of this release builds with its own Makefile: a static
# library and its one header are all the product needs.
with_make() {  # source, work, prefix, compiler, archiver, the library the Makefile names
  local src=$1 work=$2 prefix=$3 cc=$4 ar=$5 library=$6
  cp -r "$src" "$work" || return 1
  make -C "$work" -j"$(nproc)" CC="$cc" AR="$ar" DISABLE_SHARED=1 CFLAGS="-O2 -fPIC" "$library" || return 1
  mkdir -p "$prefix/lib" "$prefix/include" || return 1
  cp "$work/$library" "$prefix/lib/libdeflate.a" || return 1
  cp "$work/libdeflate.h" "$prefix/include/"
}

jpeg_src=$(source_of libjpeg-turbo)
deflate_src=$(source_of libdeflate)
jpeg_options=(-DWITH_JPEG8=1 -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0
              -DWITH_SIMD=1 -DREQUIRE_SIMD=1)
win64=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")

build_once libjpeg-turbo "$jpeg_src" native with_cmake "${jpeg_options[@]}"
build_once libjpeg-turbo "$jpeg_src" win64 with_cmake "${jpeg_options[@]}" "${win64[@]}"
build_once libdeflate "$deflate_src" native with_make cc ar libdeflate.a
build_once libdeflate "$deflate_src" win64 with_make x86_64-w64-mingw32-gcc-posix \
  x86_64-w64-mingw32-ar libdeflatestatic.lib
