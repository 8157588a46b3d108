#!/usr/bin/env bash
# Installs what is missing, builds Ovira.exe and English.dll, and opens the
# viewer under Wine on the given image or folder (default: the 800 x 600
# samples/landscape.bmp). Without a display it runs on a private Xvfb inside
# a Wine virtual desktop, answers a first start's notice with OK and saves a
# screenshot to ovira-screenshot.png (and the notice's to ovira-notice.png).
set -uo pipefail
source "$(dirname "$0")/common.sh"
forget_print_queue

target=${1:-$root/samples/landscape.bmp}
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

# Headless: a virtual desktop on a private X server. The start-up notice
# of a first start is answered with OK, as a user would, and kept as its own
# picture; the screenshot shows the viewer with the image.
start_xvfb || exit 1
trap stop_xvfb EXIT
"$wine" explorer /desktop=Ovira,1280x1024 >/dev/null 2>&1 &
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Ovira - Wine desktop"' && break
  sleep 0.1
done
shots=$(mktemp -d)
trap 'rm -rf "$shots"; stop_xvfb' EXIT
echo "run: Ovira.exe \"$arg\" (no display: using Xvfb)"
"$wine" explorer /desktop=Ovira,1280x1024 "$exe" "$arg" >/dev/null 2>&1 &

has_window() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$1"; }
differs() { [ "$(/usr/bin/compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" != "0" ]; }
# Takes screenshots until two in a row agree, so the picture is complete.
still_screen() {  # output file
  /usr/bin/import -window root "$shots/before.png"
  for _ in $(seq 1 20); do
    sleep 0.4
    /usr/bin/import -window root "$1"
    differs "$shots/before.png" "$1" || return 0
    cp "$1" "$shots/before.png"
  done
}

image_title=$(basename "$target")
notice_shot="$root/ovira-notice.png"
rm -f "$notice_shot"
# The notice comes up just after the viewer, so wait until the screen settles.
for _ in $(seq 1 100); do has_window "$image_title" && break; sleep 0.1; done
still_screen "$shots/settled.png"
if has_window "Welcome to Ovira"; then
  still_screen "$notice_shot"
  # Only one Enter may reach the program: a second one would arrive at the
  # viewer, where Enter means full screen.
  xdotool search --name "^Welcome to Ovira$" key --window %1 Return 2>/dev/null
  for _ in $(seq 1 20); do has_window "Welcome to Ovira" || break; sleep 0.1; done
  has_window "Welcome to Ovira" && xdotool key Return
  for _ in $(seq 1 50); do has_window "Welcome to Ovira" || break; sleep 0.1; done
fi
still_screen "$root/ovira-screenshot.png"
# Esc closes the viewer the ordinary way, so it stores its settings.
xdotool key Escape 2>/dev/null
for _ in $(seq 1 30); do has_window "$image_title" || break; sleep 0.1; done
echo "run: screenshot of the viewer saved to $root/ovira-screenshot.png"
if [ -f "$notice_shot" ]; then
  echo "run: the start-up notice appeared and was answered with OK; its picture is $notice_shot"
fi
