#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and makes
# Debian source packages reachable for the libjpeg-turbo build. Quiet and
# quick when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config git
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  zlib1g-dev nasm dpkg-dev
  wine64 wine fonts-wine xvfb xauth x11-utils xdotool imagemagick
  libgtest-dev googletest libbenchmark-dev libpng-dev libturbojpeg0-dev libjpeg-turbo-progs libgif-dev giflib-tools libtiff-dev libtiff-tools
  zip python3 libarchive-dev libarchive-tools libimage-exiftool-perl webp
  clang libclang-rt-14-dev
  # The test print queue. Without a system cupsd running, installing
  # cups-pdf reports that CUPS failed to reload: the tests start their own.
  cups printer-driver-cups-pdf poppler-utils ghostscript
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source entries are derived from the binary entries this machine already
# uses, so no mirror name is ever written down here.
src_list=/etc/apt/sources.list.d/ovira-deb-src.sources
has_deb_src() {
  grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}
if ! has_deb_src; then
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -q 'debian' "$f" || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$f" >>"$tmp"
    echo >>"$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -E 's/^deb /deb-src /' >"${tmp}.list" || true
    [ -s "${tmp}.list" ] && "${sudo_cmd[@]}" cp "${tmp}.list" /etc/apt/sources.list.d/ovira-deb-src.list
    rm -f "${tmp}.list"
  fi
  [ -s "$tmp" ] && "${sudo_cmd[@]}" cp "$tmp" "$src_list"
  rm -f "$tmp"
  "${sudo_cmd[@]}" apt-get update -qq
fi
