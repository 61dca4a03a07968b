#!/usr/bin/env bash
# Takes the screenshots in docs/ of a built tempra.exe: the main window, the help window
# and the donation window, under Xvfb with a Wine desktop (which draws the title bars).
# The windows are opened by clicking their buttons with xdotool. With --dpi N the screen
# is set to N dots per inch (144 is 150 %) and only the main window is taken, as
# docs/screenshot-main-Ndpi.png.
#
#   bash scripts/screenshots.sh [--dpi N] [tempra.exe]
#        (default build/win64/app/win32/tempra.exe)
#
# Needs wine, xvfb, imagemagick, x11-utils and xdotool; uses its own Wine prefix beside
# the executable's build folder.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DPI=96
if [[ "${1:-}" == --dpi ]]; then
  DPI=${2:?--dpi needs a number of dots per inch}
  shift 2
fi
EXE=$(realpath -m "${1:-$ROOT/build/win64/app/win32/tempra.exe}")
[[ -f "$EXE" ]] || { echo "screenshots: no $EXE; build it first (bash scripts/run.sh)" >&2; exit 2; }
for tool in import xwininfo xdotool; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 2; }
done
PREFIX=$(realpath -m "$(dirname "$EXE")/../../wineprefix-shots")
DOCS="$ROOT/docs"

# shellcheck source=scripts/wine-session.sh
source "$ROOT/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
# The DPI is set every time: the prefix keeps what an earlier run set.
wine_session_start "$PREFIX" "$DPI" || exit 1
# Debian's Wine does not find its own Marlett font, which draws the caption buttons.
cp -n /usr/share/wine/fonts/marlett.ttf "$PREFIX/drive_c/windows/Fonts/" 2>/dev/null

# Where a top-level window of this title is: "id x y" on the screen, once it is there.
window_at() {
  local title=$1 i line
  for ((i = 0; i < 120; i++)); do
    line=$(xwininfo -root -tree | grep -F "\"$title\"" | head -1)
    if [[ -n "$line" ]]; then
      # ... 395x300+287+229  +287+229  -> id and the absolute position
      awk '{ split($NF, p, "+"); print $1, p[2], p[3] }' <<<"$line"
      return 0
    fi
    sleep 0.5
  done
  echo "screenshots: no window \"$title\"" >&2
  return 1
}

# The Wine desktop's frame puts a window's client area 3 pixels right and 23 down.
click() {  # click WINDOW_X WINDOW_Y CLIENT_X CLIENT_Y
  xdotool mousemove $(($1 + 3 + $3)) $(($2 + 23 + $4)) click 1
}

shoot() {  # shoot TITLE FILE
  local where
  where=$(window_at "$1") || exit 1
  sleep 1  # let it finish painting
  import -window "${where%% *}" "$DOCS/$2" && echo "screenshots: $DOCS/$2"
}

work=$(mktemp -d)
(cd "$work" && wine explorer /desktop=Tempra,$((800 * DPI / 96))x$((600 * DPI / 96)) "$EXE" \
  >/dev/null 2>&1) &

main=$(window_at "Vornelt Tempra V0.5 - Italiano ") || exit 1
read -r _ mx my <<<"$main"
if [[ "$DPI" != 96 ]]; then
  shoot "Vornelt Tempra V0.5 - Italiano " "screenshot-main-${DPI}dpi.png"
  rm -rf "$work"
  exit 0
fi
shoot "Vornelt Tempra V0.5 - Italiano " screenshot-main.png

click "$mx" "$my" 317 126  # "Aiuto"
shoot "Tempra Help" screenshot-help.png
read -r _ hx hy <<<"$(window_at "Tempra Help")"
click "$hx" "$hy" 187 252  # "OK"
sleep 2

click "$mx" "$my" 317 166  # "Dona"
shoot "Tempra Donazioni" screenshot-donation.png
rm -rf "$work"
