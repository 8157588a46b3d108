#!/usr/bin/env bash
# Builds the product's libraries from Debian's source packages once per
# target and caches them in .deps/: libjpeg-turbo (libjpeg 8 interface,
# static, SIMD), libdeflate (static, the PNG reader's inflate) and, for
# Windows only, libarchive (static, the RAR reader behind our unrar64.dll,
# with no compression or crypto library of its own: RAR decoding is
# built in) and libwebp (static, decoder only, for the WebP plug-in). Later
# runs only check the stamps.
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
archive_src=$(source_of libarchive)
webp_src=$(source_of libwebp)
jpeg_options=(-DWITH_JPEG8=1 -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0
              -DWITH_SIMD=1 -DREQUIRE_SIMD=1)
win64=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")

build_once libjpeg-turbo "$jpeg_src" native with_cmake "${jpeg_options[@]}"
build_once libjpeg-turbo "$jpeg_src" win64 with_cmake "${jpeg_options[@]}" "${win64[@]}"
build_once libdeflate "$deflate_src" native with_make cc ar libdeflate.a
build_once libdeflate "$deflate_src" win64 with_make x86_64-w64-mingw32-gcc-posix \
  x86_64-w64-mingw32-ar libdeflatestatic.lib

# Only the readers our unrar64.dll needs; every optional library is off so
# the DLL depends on nothing but the system.
archive_options=(-DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF
                 -DENABLE_WERROR=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_ICONV=OFF
                 -DENABLE_ZLIB=OFF -DENABLE_BZip2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF
                 -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_LIBXML2=OFF
                 -DENABLE_EXPAT=OFF -DENABLE_PCREPOSIX=OFF -DENABLE_LIBGCC=OFF
                 -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF
                 -DPOSIX_REGEX_LIB=NONE -DENABLE_INSTALL=ON)
build_once libarchive "$archive_src" win64 with_cmake "${archive_options[@]}" "${win64[@]}"

# The WebP plug-in calls only the decoder, one picture at a time on the
# caller's thread: no tools, no mux library, no threads (so nothing beyond
# the C library to link).
webp_options=(-DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF
              -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF
              -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF
              -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_USE_THREAD=OFF
              -DWEBP_ENABLE_SIMD=ON)
build_once libwebp "$webp_src" native with_cmake "${webp_options[@]}"
build_once libwebp "$webp_src" win64 with_cmake "${webp_options[@]}" "${win64[@]}"
