#!/usr/bin/env bash
# Runs the end-to-end driver inside a Wine virtual desktop, which behaves
# like a Windows desktop (frames, activation), and reports its result file.
# Needs DISPLAY (scripts/test.sh starts Xvfb) and uses WINEPREFIX as given.
#   run_e2e.sh DRIVER_EXE BIN_DIR [SCENARIO...]
set -uo pipefail
driver=$1 bin=$2; shift 2
wine=${OVIRA_WINE:-/usr/lib/wine/wine64}
to_windows() { printf 'Z:%s' "${1//\//\\}"; }

result=$(mktemp --suffix=.txt)
trap 'rm -f "$result"' EXIT
export WINEDEBUG=${WINEDEBUG:--all}
timeout 540 "$wine" explorer "/desktop=ovira-e2e,1280x1024" \
  "$(to_windows "$driver")" "$(to_windows "$bin")" --result "$(to_windows "$result")" "$@" \
  >/dev/null 2>&1
status=$?
if [ ! -s "$result" ]; then
  echo "e2e: the driver left no result (exit status $status)"
  exit 1
fi
cat "$result"
grep -q '^e2e: [1-9][0-9]* passed, 0 failed' "$result"
