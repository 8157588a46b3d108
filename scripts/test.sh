#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows trees, and runs
# every test layer: native unit tests, Windows tests under Wine, and the
# end-to-end scenarios under Xvfb. Ends with one line "N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/common.sh"

prepare || exit 1
echo "build: native"; build_native || exit 1
echo "build: win64"; build_win64 || exit 1

use_private_home
ensure_wineprefix
keep_windows_unmanaged
reset_wineprefix
start_xvfb || exit 1
trap 'stop_print_queue; stop_xvfb' EXIT
# Without the queue only the print scenarios fail, each saying why.
start_print_queue || true

passed=0 failed=0 broken=0

# Adds a ctest summary line from the log to the counts; false without one.
count_ctest() {  # log
  local line total bad
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1") || return 1
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  echo "  $line"
}

echo "test: native unit tests and ovirac runs"
native_log="$root/build/native.test.log"
(cd "$root/build/native" && ctest --output-on-failure -j"$jobs") >"$native_log" 2>&1 || broken=1
count_ctest "$native_log" || broken=1
[ "$broken" -eq 0 ] || grep -E -A30 'Failed|\*\*\*' "$native_log" | head -n 120

echo "test: the same under AddressSanitizer and UndefinedBehaviorSanitizer"
asan_log="$root/build/asan.run.log"
bash "$root/scripts/sanitize.sh" >"$asan_log" 2>&1 || broken=1
count_ctest "$asan_log" || { broken=1; tail -n 40 "$asan_log"; }
grep -E '^  ' "$asan_log" | grep -vE 'tests passed' | head -n 40

# --- fuzz targets -------------------------------------------------------------
# scripts/fuzz.sh replays every seed and crasher, then fuzzes each target for
# 10 s; each target counts as one test. Missing lines mean the build failed.
echo "test: fuzz targets"
fuzz_log="$root/build/fuzz.test.log"
bash "$root/scripts/fuzz.sh" 10 >"$fuzz_log" 2>&1 || broken=1
fuzz_ok=$(grep -cE '^fuzz: [A-Za-z0-9_]+ ok$' "$fuzz_log")
fuzz_bad=$(grep -cE '^fuzz: [A-Za-z0-9_]+ FAILED$' "$fuzz_log")
passed=$((passed + fuzz_ok)); failed=$((failed + fuzz_bad))
grep -E '^(fuzz: |  )' "$fuzz_log" | sed 's/^/  /'
if [ $((fuzz_ok + fuzz_bad)) -eq 0 ]; then broken=1; tail -n 40 "$fuzz_log"; fi
# --- end of fuzz targets -----------------------------------------------------

echo "test: Windows tests and end-to-end scenarios under Wine"
win_log="$root/build/win64.test.log"
(cd "$root/build/win64" && ctest --verbose) >"$win_log" 2>&1 || broken=1
# One ctest test per program here, so count what the programs report.
while read -r n; do passed=$((passed + n)); done < <(grep -oE '\[  PASSED  \] [0-9]+' "$win_log" | grep -oE '[0-9]+$')
while read -r n; do failed=$((failed + n)); done < <(grep -oE '\[  FAILED  \] [0-9]+ tests?,' "$win_log" | grep -oE '[0-9]+')
if e2e=$(grep -oE 'e2e: [0-9]+ passed, [0-9]+ failed' "$win_log" | tail -n 1) && [ -n "$e2e" ]; then
  read -r p f < <(sed -E 's/e2e: ([0-9]+) passed, ([0-9]+) failed/\1 \2/' <<<"$e2e")
  passed=$((passed + p)); failed=$((failed + f))
  echo "  $e2e"
else
  broken=1
fi
grep -E 'tests passed|tests failed' "$win_log" | sed 's/^/  /'
if ! grep -qE '100% tests passed' "$win_log"; then
  broken=1
  grep -E '^\s*[0-9]+: (\[  FAILED  \]|\[ FAIL \]|e2e:)|Failure|Expected|Which is|FAIL' "$win_log" | head -n 80
fi

if [ "$broken" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
