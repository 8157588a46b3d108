#!/usr/bin/env bash
# Installs what is missing, builds Ovira.exe and English.dll, and opens the
# viewer under Wine on the given image or folder (default: samples/).
# Without a display it runs on a private Xvfb inside a Wine virtual desktop
# and saves a screenshot to ovira-screenshot.png.
set -uo pipefail
source "$(dirname "$0")/common.sh"

target=${1:-$root/samples}
[ -e "$target" ] || { echo "run: '$target' does not exist" >&2; exit 2; }
target=$(cd "$(dirname "$target")" && pwd)/$(basename "$target")
# The viewer opens files, not folders: start on the folder's first image,
# and the arrow keys step through the rest.
if [ -d "$target" ]; then
  first=$(find "$target" -maxdepth 1 -type f \( -iname '*.bmp' -o -iname '*.png' -o -iname '*.jpg' \
            -o -iname '*.jpe' -o -iname '*.jpeg' -o -iname '*.gif' -o -iname '*.tif' -o -iname '*.tiff' \) |
          LC_ALL=C sort | head -n 1)
  [ -n "$first" ] && target=$first
fi

prepare || exit 1
echo "build: win64 (Ovira.exe, English.dll)"
mkdir -p "$root/build"
if [ ! -f "$root/build/win64/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$root/build/win64.configure.log" 2>&1 ||
    { cat "$root/build/win64.configure.log"; exit 1; }
fi
cmake --build "$root/build/win64" -j"$jobs" --target Ovira English >"$root/build/win64.run-build.log" 2>&1 ||
  { grep -E -A8 'error|Error' "$root/build/win64.run-build.log" | head -n 60; exit 1; }
ensure_wineprefix

exe=$(to_windows_path "$root/build/win64/bin/Ovira.exe")
arg=$(to_windows_path "$target")

if [ -n "${DISPLAY:-}" ]; then
  echo "run: Ovira.exe \"$arg\""
  exec "$wine" "$exe" "$arg"
fi

# Headless: a virtual desktop on a private X server, then a screenshot once
# the program's window has been drawn and the screen is still.
start_xvfb || exit 1
trap stop_xvfb EXIT
"$wine" explorer /desktop=Ovira,1280x1024 >/dev/null 2>&1 &
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Ovira - Wine desktop"' && break
  sleep 0.1
done
shots=$(mktemp -d)
sleep 0.5
/usr/bin/import -window root "$shots/empty.png"
echo "run: Ovira.exe \"$arg\" (no display: using Xvfb)"
"$wine" explorer /desktop=Ovira,1280x1024 "$exe" "$arg" >/dev/null 2>&1 &

differs() { [ "$(/usr/bin/compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" != "0" ]; }
previous="$shots/empty.png"
for i in $(seq 1 40); do
  sleep 0.5
  /usr/bin/import -window root "$shots/$i.png"
  if differs "$shots/empty.png" "$shots/$i.png" && ! differs "$previous" "$shots/$i.png"; then
    break
  fi
  previous="$shots/$i.png"
done
cp "$shots/$i.png" "$root/ovira-screenshot.png"
rm -rf "$shots"
echo "run: screenshot saved to $root/ovira-screenshot.png"
