#!/usr/bin/env bash
# Builds tempra.exe and runs it under Wine:   bash scripts/run.sh
# The toolkit's gadget gallery instead:        bash scripts/run.sh gallery
#
# Run as root it first installs the Debian 12 packages it needs; as anyone else it names
# the missing ones and stops. It builds the `tempra` target of the win64 preset
# (build/win64/app/win32/tempra.exe) and starts it in the folder the script was called
# from (where the program looks for its optional icon file vico.ico), on $DISPLAY. With
# no usable display it starts a virtual one (Xvfb) holding a Wine desktop, which draws the
# window's title bar itself. Once the main window is up, a screenshot of it is saved
# (build/win64/tempra-screenshot.png). The script then waits until the program ends
# ("Uscita" or the close box); Ctrl+C ends the program and the script together. With
# `gallery` the same is done for quardeln-gallery.exe (target quardeln-gallery), whose
# screenshot goes to build/win64/gallery-screenshot.png.
#
# Environment: TEMPRA_JOBS (parallel build jobs, default 2), TEMPRA_SCREENSHOT (where
# the screenshot goes).
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
CALLER_DIR=$PWD
JOBS=${TEMPRA_JOBS:-2}
BUILD="$ROOT/build/win64"
TARGET=tempra
EXE="$BUILD/app/win32/tempra.exe"
PREFIX="$BUILD/wineprefix-run"  # the tests' session stops its own prefix's wineserver
SHOT=${TEMPRA_SCREENSHOT:-$BUILD/tempra-screenshot.png}
TITLE="Vornelt Tempra V0.5 - Italiano "
if [[ "${1:-}" == gallery ]]; then
  TARGET=quardeln-gallery
  EXE="$BUILD/examples/gallery/quardeln-gallery.exe"
  SHOT=${TEMPRA_SCREENSHOT:-$BUILD/gallery-screenshot.png}
  TITLE="Quardeln Gallery"
elif [[ $# -gt 0 ]]; then
  echo "usage: bash scripts/run.sh [gallery]" >&2
  exit 2
fi
PACKAGES=(cmake ninja-build googletest mingw-w64 g++-mingw-w64-x86-64-posix
  gcc-mingw-w64-x86-64-posix wine wine64 xvfb xauth fonts-wine imagemagick x11-utils
  util-linux)
COMMANDS=(cmake ninja x86_64-w64-mingw32-g++-posix wine wineserver Xvfb import xwininfo flock)

XVFB_PID=""
WINE_PID=""

say() { echo "run: $*" >&2; }

ensure_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]]; then
      missing+=("$p")
    fi
  done
  if [[ ${#missing[@]} -gt 0 ]]; then
    if [[ $(id -u) -ne 0 ]]; then
      say "missing packages: ${missing[*]}; run as root, or: apt-get install ${missing[*]}"
      exit 2
    fi
    say "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q && apt-get install -y -q "${missing[@]}" || { say "install failed"; exit 2; }
  fi
  local c
  for c in "${COMMANDS[@]}"; do
    command -v "$c" >/dev/null || { say "$c not found after installing"; exit 2; }
  done
}

build() {
  mkdir -p "$BUILD"
  local log="$BUILD/run-build.log"
  say "building $(basename "$EXE") (log: $log)"
  if ! (cd "$ROOT" && cmake --preset win64 && cmake --build --preset win64 --target "$TARGET" -j "$JOBS") \
    >"$log" 2>&1; then
    tail -30 "$log" >&2
    say "build failed"
    exit 1
  fi
}

# Uses $DISPLAY when an X server answers there, else starts Xvfb on a free display.
# Sets DESKTOP_MODE=1 for our own display, where no window manager draws title bars.
DESKTOP_MODE=0
choose_display() {
  if [[ -n "${DISPLAY:-}" ]] && xwininfo -root >/dev/null 2>&1; then
    return
  fi
  local dfile i display=""
  dfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dfile" >"$BUILD/run-xvfb.log" 2>&1 &
  XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    display=$(tr -dc '0-9' <"$dfile")
    [[ -n "$display" ]] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$dfile"
  [[ -n "$display" ]] || { say "Xvfb did not start (log: $BUILD/run-xvfb.log)"; exit 1; }
  export DISPLAY=":$display"
  DESKTOP_MODE=1
  say "no display; started a virtual one at $DISPLAY"
}

stop() {
  if [[ -n "$WINE_PID" ]]; then
    # The prefix is this script's own: ending its server ends the program.
    WINEPREFIX="$PREFIX" timeout 20 wineserver -k 2>/dev/null
    wait "$WINE_PID" 2>/dev/null
    WINE_PID=""
  fi
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  fi
}

# The X window id of the main window, once it is there; empty after 120 s.
wait_for_window() {
  local i id=""
  for ((i = 0; i < 240; i++)); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$TITLE\"" | awk '{print $1; exit}')
    [[ -n "$id" ]] && break
    kill -0 "$WINE_PID" 2>/dev/null || break
    sleep 0.5
  done
  echo "$id"
}

main() {
  ensure_packages
  build
  export WINEPREFIX="$PREFIX" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  "$ROOT/scripts/wine-run.sh" --init-prefix "$PREFIX" || exit 1
  # Debian's Wine does not find its own Marlett font, which draws the caption buttons.
  cp -n /usr/share/wine/fonts/marlett.ttf "$PREFIX/drive_c/windows/Fonts/" 2>/dev/null
  choose_display
  trap 'stop; exit 130' INT TERM
  trap 'stop' EXIT

  cd "$CALLER_DIR" || exit 1
  if [[ $DESKTOP_MODE -eq 1 ]]; then
    wine explorer /desktop=Tempra,1024x768 "$EXE" &
  else
    wine "$EXE" &
  fi
  WINE_PID=$!

  local id
  id=$(wait_for_window)
  if [[ -z "$id" ]]; then
    say "the main window did not appear"
    exit 1
  fi
  sleep 1  # let it finish painting
  if import -window "$id" "$SHOT" 2>/dev/null; then
    say "screenshot of the main window: $SHOT"
  else
    say "could not take a screenshot"
  fi
  say "$(basename "$EXE") is running on display $DISPLAY; Ctrl+C ends it"
  wait "$WINE_PID"
  WINE_PID=""
  say "$(basename "$EXE") has ended"
}

main "$@"
