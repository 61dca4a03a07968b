#!/usr/bin/env bash
# Takes the screenshots of the gadget gallery in docs/: its Lists, Text and Controls pages
# and its File menu, under Xvfb with a Wine desktop (which draws the title bars). Pages are
# chosen with the gallery's own shortcuts (Ctrl+1 to Ctrl+3) and a few gadgets are used
# first with xdotool, so that each picture shows them in use and the status bar shows the
# last event. With --dpi N the screen is set to N dots per inch (144 is 150 %) and only the
# first page is taken, untouched, as docs/gallery-lists-Ndpi.png.
#
#   bash scripts/gallery-screenshots.sh [--dpi N] [quardeln-gallery.exe]
#        (default build/win64/examples/gallery/quardeln-gallery.exe)
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
EXE=$(realpath -m "${1:-$ROOT/build/win64/examples/gallery/quardeln-gallery.exe}")
[[ -f "$EXE" ]] || { echo "gallery-screenshots: no $EXE; build it first (bash scripts/run.sh gallery)" >&2; exit 2; }
for tool in import xwininfo xdotool; do
  command -v "$tool" >/dev/null || { echo "gallery-screenshots: $tool is missing" >&2; exit 2; }
done
PREFIX=$(realpath -m "$(dirname "$EXE")/../../wineprefix-shots")
DOCS="$ROOT/docs"
TITLE="Quardeln Gallery"

# shellcheck source=scripts/wine-session.sh
source "$ROOT/scripts/wine-session.sh"
trap 'wine_session_stop' EXIT
# The DPI is set every time: the prefix keeps what an earlier run set.
wine_session_start "$PREFIX" "$DPI" || exit 1
# Debian's Wine does not find its own Marlett font, which draws the caption buttons.
cp -n /usr/share/wine/fonts/marlett.ttf "$PREFIX/drive_c/windows/Fonts/" 2>/dev/null

# "id x y width height" of the gallery's window on the screen, once it is there.
window_at() {
  local i line
  for ((i = 0; i < 120; i++)); do
    line=$(xwininfo -root -tree | grep -F "\"$TITLE\"" | head -1)
    if [[ -n "$line" ]]; then
      # ... 648x546+76+18  +76+18  -> id, the absolute position and the size
      awk '{ split($(NF-1), s, "[x+]"); split($NF, p, "+"); print $1, p[2], p[3], s[1], s[2] }' <<<"$line"
      return 0
    fi
    sleep 0.5
  done
  echo "gallery-screenshots: no window \"$TITLE\"" >&2
  return 1
}

# Points inside the window (its frame included), for the layout at its first size.
click() {  # click X Y [BUTTON]
  xdotool mousemove --window "$ID" "$1" "$2" click "${3:-1}"
  sleep 0.5
}

shoot() {  # shoot FILE
  sleep 1  # let it finish painting
  import -window "$ID" "$DOCS/$1" && echo "gallery-screenshots: $DOCS/$1"
}

(wine explorer /desktop=Gallery,$((800 * DPI / 96))x$((600 * DPI / 96)) "$EXE" >/dev/null 2>&1) &
read -r ID WX WY WW WH <<<"$(window_at)" || exit 1
[[ -n "${ID:-}" ]] || exit 1
sleep 2

if [[ "$DPI" != 96 ]]; then
  shoot "gallery-lists-${DPI}dpi.png"
  exit 0
fi

click 441 150             # the tree's "Controls" branch opens
click 78 169              # the list box's "Letter.txt"
shoot gallery-lists.png

xdotool key ctrl+2
click 364 148             # the password field
xdotool type --delay 50 secret
shoot gallery-text.png

xdotool key ctrl+3
click 179 140             # "Check box"
shoot gallery-controls.png

# An open menu is a window of its own: the picture is cut from the screen.
click 16 33               # "File"
click 40 110              # "Recent files"
sleep 1
import -window root -crop "${WW}x${WH}+${WX}+${WY}" +repage "$DOCS/gallery-menu.png" &&
  echo "gallery-screenshots: $DOCS/gallery-menu.png"
xdotool key Escape Escape
