#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/*_fuzz.cpp) with clang in build/fuzz,
# replays each target's seeds (fuzz/corpus/<target>) and the inputs that once
# broke it (fuzz/crashers/<target>), then fuzzes it for the given number of
# seconds (default 60; 0 only replays). Target names after the seconds limit
# the run to those targets. Prints one line per target,
# "fuzz: <target> ok" or "fuzz: <target> FAILED", and exits non-zero when any
# failed. An input that breaks a target is kept in build/fuzz/crashes/<target>/;
# once the fault is fixed it belongs in fuzz/crashers/<target>/.
set -uo pipefail
source "$(dirname "$0")/common.sh"

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds-per-target [target...]]" >&2
  exit 2
fi
shift $(( $# > 0 ? 1 : 0 ))
only=("$@")
for target in "${only[@]}"; do
  if [ ! -f "$root/fuzz/$target.cpp" ]; then
    echo "fuzz: no target $target (fuzz/$target.cpp)" >&2
    exit 2
  fi
done
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found; scripts/setup.sh installs it" >&2
  exit 1
fi

tree="$root/build/fuzz"
bash "$root/scripts/deps.sh" || exit 1
echo "build: fuzz"
CC=clang CXX=clang++ configure_and_build fuzz -DOVIRA_FUZZ=ON -DOVIRA_TESTS=OFF || exit 1

# Seeds and crashers, one file each; the .gitkeep of an empty folder is no input.
replay_inputs() {  # target
  find "$root/fuzz/corpus/$1" "$root/fuzz/crashers/$1" -type f ! -name .gitkeep 2>/dev/null | sort
}

run_target() {  # target, log
  local target=$1 log=$2
  local binary="$tree/bin/$target" crashes="$tree/crashes/$target/" work="$tree/work/$target"
  mkdir -p "$crashes" "$work"
  local inputs=()
  mapfile -t inputs < <(replay_inputs "$target")
  if [ ${#inputs[@]} -gt 0 ]; then
    "$binary" -artifact_prefix="$crashes" "${inputs[@]}" >>"$log" 2>&1 || return 1
  fi
  [ "$seconds" -gt 0 ] || return 0
  # New inputs go to the scratch folder named first, never into the seeds.
  local folders=("$work") folder
  for folder in "$root/fuzz/corpus/$target" "$root/fuzz/crashers/$target"; do
    [ -d "$folder" ] && folders+=("$folder")
  done
  "$binary" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$crashes" \
    "${folders[@]}" >>"$log" 2>&1
}

failures=0
for source in "$root"/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " =~ " $target " ]]; then continue; fi
  log="$tree/$target.log"
  : >"$log"
  if run_target "$target" "$log"; then
    echo "fuzz: $target ok"
  else
    failures=$((failures + 1))
    echo "fuzz: $target FAILED"
    grep -E 'ERROR|SUMMARY|broken promise|Test unit written|artifact' "$log" | head -n 8 | sed 's/^/  /'
    echo "  log: $log"
  fi
done
[ "$failures" -eq 0 ]
