#!/usr/bin/env bash
# Builds the native tree build/asan with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every native test in it: the unit
# tests and the ovirac runs. Undefined behaviour stops the program that
# meets it, so it fails its test instead of scrolling past. A second run with
# nothing changed only checks the build and reruns the tests. Ends with
# ctest's summary line and exits non-zero when the build or a test failed;
# the whole ctest output is kept in build/asan.test.log.
set -uo pipefail
source "$(dirname "$0")/common.sh"

if ! command -v clang++ >/dev/null; then
  echo "sanitize: clang++ not found; scripts/setup.sh installs it" >&2
  exit 1
fi

# The product is built without RTTI, which the vptr check needs; the tests
# have RTTI and would then ask for type information the product never made.
# Locals left uninitialised are filled with a pattern, so that code using
# one fails the same way on every run instead of only when the stack
# happens to hold garbage.
sanitizers="-fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=undefined"
sanitizers+=" -fno-omit-frame-pointer -ftrivial-auto-var-init=pattern"
settings=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers"
          -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DOVIRA_BENCH=OFF)
tree="$root/build/asan"
bash "$root/scripts/deps.sh" || exit 1
# configure_and_build configures a tree only once; a tree made with other
# flags is configured again rather than left stale.
if [ -f "$tree/CMakeCache.txt" ] &&
   ! grep -qxF "CMAKE_CXX_FLAGS:STRING=$sanitizers" "$tree/CMakeCache.txt"; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$tree" "${settings[@]}" >"$tree.configure.log" 2>&1 || {
    cat "$tree.configure.log"; exit 1; }
fi
echo "build: asan"
CC=clang CXX=clang++ configure_and_build asan "${settings[@]}" || exit 1

echo "test: native tests with ASan and UBSan"
log="$root/build/asan.test.log"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
(cd "$tree" && ctest --output-on-failure -j"$jobs") >"$log" 2>&1
result=$?

summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log")
if [ "$result" -ne 0 ] || [ -z "$summary" ]; then
  # The first reports are enough to start from; the log has the rest.
  grep -E 'runtime error|ERROR: (Address|Leak)Sanitizer|FAIL: |\[  FAILED  \]' "$log" |
    head -n 16 | sed 's/^/  /'
  sed -n '/The following tests FAILED/,$p' "$log" | head -n 40
  echo "  log: $log"
fi
if [ -z "$summary" ]; then
  tail -n 20 "$log"
  echo "sanitize: ctest printed no summary" >&2
  exit 1
fi
echo "$summary"
exit "$result"
