#!/usr/bin/env bash
# Runs the end-to-end driver inside a Wine virtual desktop, which behaves
# like a Windows desktop (frames, activation), and reports its result file.
# Each scenario runs in its own process with its own deadline; the overall
# limit below is only a last resort, and a scenario that left no result by
# then counts as failed by name.
# Needs DISPLAY (scripts/test.sh starts Xvfb) and uses WINEPREFIX and the
# private HOME / XDG_DATA_HOME as given.
#   run_e2e.sh DRIVER_EXE BIN_DIR [SCENARIO...]
set -uo pipefail
driver=$(realpath "$1") bin=$(realpath "$2"); shift 2
wine=${OVIRA_WINE:-/usr/lib/wine/wine64}
to_windows() { printf 'Z:%s' "${1//\//\\}"; }
export WINEDEBUG=${WINEDEBUG:--all}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Pictures only other programs write: what the plug-in scenarios open.
mkdir -p "$work/fixtures"
/usr/bin/convert -size 64x48 gradient:red-blue -compress LZW "$work/fixtures/lzw.tif" 2>/dev/null
/usr/bin/convert -size 80x60 gradient:yellow-green "$work/fixtures/source.png" 2>/dev/null &&
  cwebp -quiet -q 80 "$work/fixtures/source.png" -o "$work/fixtures/lossy.webp" 2>/dev/null
/usr/bin/convert -size 60x40 gradient:white-black "$work/fixtures/camera.jpg" 2>/dev/null &&
  exiftool -q -overwrite_original -Make="Ovira Works" -Model="Ovira Test Camera" \
    "$work/fixtures/camera.jpg" >/dev/null 2>&1
export OVIRA_E2E_FIXTURES=$(to_windows "$work/fixtures")
timeout 60 "$wine" "$(to_windows "$driver")" "$(to_windows "$bin")" --list "$@" 2>/dev/null |
  tr -d '\r' >"$work/names"
if [ ! -s "$work/names" ]; then
  echo "e2e: the driver listed no scenario"
  exit 1
fi

trash=${XDG_DATA_HOME:-$HOME/.local/share}/Trash
timeout "${OVIRA_E2E_LIMIT:-900}" "$wine" explorer "/desktop=ovira-e2e,1280x1024" \
  "$(to_windows "$driver")" "$(to_windows "$bin")" --trash "$(to_windows "$trash")" \
  --result "$(to_windows "$work/result")" "$@" >/dev/null 2>&1
status=$?

touch "$work/result"
grep -v '^e2e: ' "$work/result"
passed=0 failed=0
while read -r name; do
  if grep -qxF "[  OK  ] $name" "$work/result"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    if ! grep -qxF "[ FAIL ] $name" "$work/result"; then
      echo "[ FAIL ] $name"
      echo "           no result: the driver was stopped (exit status $status)"
    fi
  fi
done <"$work/names"
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
