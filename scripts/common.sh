# Shared by run.sh and test.sh: build trees, the Wine prefix and the X server.
# shellcheck shell=bash

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# Wine turns Windows file names into Unix ones through the locale's
# character set: without a UTF-8 locale (a bare CI environment) names beyond
# ASCII cannot be made at all.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi

prepare() {
  bash "$root/scripts/setup.sh"
  bash "$root/scripts/deps.sh"
}

configure_and_build() {  # tree, extra cmake arguments...
  local tree="$root/build/$1"; shift
  mkdir -p "$root/build"
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Release "$@" >"$tree.configure.log" 2>&1 || {
      cat "$tree.configure.log"; return 1; }
  fi
  cmake --build "$tree" -j"$jobs" >"$tree.build.log" 2>&1 || {
    grep -E -B2 -A8 'error|Error' "$tree.build.log" | head -n 80; return 1; }
}

build_native() { configure_and_build native; }
build_win64() {
  configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$@"
}

# A Wine prefix of our own, made once and reused: creating one takes ~20 s.
# Its registry as first made is kept in .pristine/ so a test run can start
# from it again.
ensure_wineprefix() {
  if [ ! -f "$WINEPREFIX/.pristine/user.reg" ]; then
    echo "wine: creating the prefix in ${WINEPREFIX#"$root"/} (once)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wineserver" -w || true
    mkdir -p "$WINEPREFIX/.pristine"
    cp "$WINEPREFIX"/*.reg "$WINEPREFIX/.pristine/"
  fi
}

# The test display has no window manager, and Wine would wait up to a
# second for one each time a window it leaves to the manager is hidden.
# Test runs keep every window to Wine itself.
keep_windows_unmanaged() {
  grep -q '^"Managed"="N"' "$WINEPREFIX/.pristine/user.reg" && return 0
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
  cp "$WINEPREFIX"/.pristine/*.reg "$WINEPREFIX/"
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 0
  "$wineserver" -w >/dev/null 2>&1 || true
  cp "$WINEPREFIX"/*.reg "$WINEPREFIX/.pristine/"
}

# Undoes what an earlier run left in the prefix: the registry (wallpaper
# values, shell state), temporary files and per-user program settings.
reset_wineprefix() {
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
  cp "$WINEPREFIX"/.pristine/*.reg "$WINEPREFIX/"
  local user
  for user in "$WINEPREFIX"/drive_c/users/*/; do
    [ -L "${user%/}" ] && continue
    rm -rf "${user}Temp" "${user}AppData/Roaming/Ovira"
    mkdir -p "${user}Temp"
  done
}

# Test runs read nothing from the real home: a fresh home of their own with
# the folders a desktop has (a trash with files/ and info/ for the recycle
# bin), and a Wine prefix whose user folders point into it. The path stays
# the same from run to run, so the prefix's links stay valid.
use_private_home() {
  local home="$root/build/test-home"
  rm -rf "$home"
  mkdir -p "$home/Desktop" "$home/.config" "$home/.cache" \
    "$home/.local/share/Trash/files" "$home/.local/share/Trash/info"
  export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
  export XDG_CACHE_HOME="$home/.cache"
  unset XDG_RUNTIME_DIR XDG_DATA_DIRS XDG_CONFIG_DIRS
  export WINEPREFIX="$root/build/wineprefix-test"
}

# Starts a private Xvfb and exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
  local fifo; fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local display
  read -r -t 10 display <"$fifo" || true
  rm -f "$fifo"
  [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$display"
}

stop_xvfb() {
  "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}

to_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

source "$root/scripts/print_queue.sh"
