#!/usr/bin/env bash
# A Wine session for tests that open real windows: an Xvfb server on a free display
# and a persistent wineserver for one Wine prefix, both torn down when the session
# ends, however it ends. Programs inside it run through scripts/wine-run.sh, whose
# watchdog kills anything that hangs; the session as a whole has a time limit too.
#
# Run a command inside a session:
#   scripts/wine-session.sh [--prefix DIR] [--dpi N] [--timeout SECONDS] -- COMMAND [ARGS...]
#   e.g. scripts/wine-session.sh --prefix build/win64/wineprefix -- ctest --preset win64
# --dpi N sets the prefix's screen to N dots per inch (LogPixels; 96 is 100 %, 144 is
# 150 %) before anything runs in it; the setting stays in the prefix, so a prefix of
# its own keeps other sessions at 96.
# Or source it and call wine_session_start DIR [DPI] / wine_session_stop yourself (the
# caller then owns the EXIT trap that must call wine_session_stop).
#
# Exported inside the session: DISPLAY, WINEPREFIX, WINEDEBUG=-all,
# WINEDLLOVERRIDES (no Mono or Gecko prompts, no menu entries written to $HOME),
# TEMPRA_WINE_SESSION=1.

TEMPRA_SCRIPTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
_wine_session_xvfb_pid=""
_wine_session_prefix=""

_wine_session_say() { echo "wine-session: $*" >&2; }

# Starts Xvfb and sets _wine_session_display to its display number; Xvfb itself
# picks a free one (-displayfd). Not run in a subshell: the pid must stay known.
# TEMPRA_XVFB_SCREEN (WIDTHxHEIGHTxDEPTH, default 1280x1024x24) sets the screen.
_wine_session_display=""
_wine_session_start_xvfb() {
  local log=$1 dfile
  dfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${TEMPRA_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$dfile" >"$log" 2>&1 &
  _wine_session_xvfb_pid=$!
  local i display=""
  for ((i = 0; i < 100; i++)); do  # up to 10 s
    display=$(tr -dc '0-9' <"$dfile")
    [[ -n "$display" ]] && break
    if ! kill -0 "$_wine_session_xvfb_pid" 2>/dev/null; then
      break
    fi
    sleep 0.1
  done
  rm -f "$dfile"
  if [[ -z "$display" ]]; then
    _wine_session_say "Xvfb did not start (log: $log)"
    cat "$log" >&2
    return 1
  fi
  _wine_session_display=$display
}

# wine_session_start PREFIX [DPI]: Xvfb, the prefix (created when missing) and a
# persistent wineserver for it; exports the session's environment.
wine_session_start() {
  local prefix dpi=${2:-}
  prefix=$(realpath -m "${1:?wine_session_start needs a Wine prefix folder}")
  local tool
  for tool in Xvfb wine wineserver wineboot timeout flock; do
    if ! command -v "$tool" >/dev/null; then
      _wine_session_say "$tool is missing; install wine, wine64 and xvfb (bash scripts/test.sh does, as root)"
      return 1
    fi
  done
  mkdir -p "$(dirname "$prefix")" || return 1

  _wine_session_start_xvfb "$prefix.xvfb.log" || return 1
  export DISPLAY=":$_wine_session_display"
  export WINEPREFIX="$prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export TEMPRA_WINE_SESSION=1
  _wine_session_prefix=$prefix

  "$TEMPRA_SCRIPTS_DIR/wine-run.sh" --init-prefix "$prefix" || return 1
  # A server left from creating the prefix would refuse our persistent one; it ends
  # by itself a few seconds after its last client.
  timeout 60 wineserver -w 2>/dev/null
  # Without -f the server detaches once its socket is ready, so clients can connect
  # as soon as this returns.
  if ! timeout 30 wineserver -p; then
    _wine_session_say "could not start a persistent wineserver for $prefix"
    return 1
  fi
  # Boot the prefix's services and desktop now, with no output to hold, so the
  # first test does not pay for them. A DPI is read by each program as it starts.
  if [[ -n "$dpi" ]]; then
    if ! timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
      /d "$dpi" /f </dev/null >/dev/null 2>&1; then
      _wine_session_say "could not set LogPixels $dpi in $prefix"
      return 1
    fi
  else
    timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
  fi
  _wine_session_say "display $DISPLAY, prefix $WINEPREFIX${dpi:+, $dpi dpi}"
}

# wine_session_stop: ends the wineserver (and any Windows program still running in
# the prefix) and Xvfb. Safe to call more than once.
wine_session_stop() {
  if [[ -n "$_wine_session_prefix" ]]; then
    WINEPREFIX="$_wine_session_prefix" timeout 20 wineserver -k 2>/dev/null
    WINEPREFIX="$_wine_session_prefix" timeout 20 wineserver -w 2>/dev/null
    _wine_session_prefix=""
  fi
  if [[ -n "$_wine_session_xvfb_pid" ]]; then
    kill "$_wine_session_xvfb_pid" 2>/dev/null
    local i
    for ((i = 0; i < 50; i++)); do
      kill -0 "$_wine_session_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$_wine_session_xvfb_pid" 2>/dev/null
    wait "$_wine_session_xvfb_pid" 2>/dev/null
    _wine_session_xvfb_pid=""
  fi
  return 0
}

_wine_session_main() {
  local prefix="" dpi="" limit=${TEMPRA_SESSION_TIMEOUT:-1800}
  while [[ $# -gt 0 ]]; do
    case "$1" in
      --prefix) prefix=$2; shift 2 ;;
      --dpi) dpi=$2; shift 2 ;;
      --timeout) limit=$2; shift 2 ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  if [[ $# -eq 0 ]]; then
    _wine_session_say "usage: wine-session.sh [--prefix DIR] [--dpi N] [--timeout SECONDS] -- COMMAND [ARGS...]"
    return 2
  fi
  prefix=${prefix:-${WINEPREFIX:-$PWD/build/win64/wineprefix}}

  trap 'wine_session_stop' EXIT
  trap 'wine_session_stop; exit 130' INT
  trap 'wine_session_stop; exit 143' TERM
  if [[ -n "$dpi" && ! "$dpi" =~ ^[0-9]+$ ]]; then
    _wine_session_say "--dpi needs a number of dots per inch"
    return 2
  fi
  wine_session_start "$prefix" "$dpi" || return 1

  local rc
  timeout -k 10 "$limit" "$@"
  rc=$?
  if [[ $rc -eq 124 ]]; then
    _wine_session_say "'$*' did not finish within ${limit}s; killed"
  fi
  return "$rc"
}

# Executed (not sourced): run the given command inside a session.
if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -uo pipefail
  _wine_session_main "$@"
  exit $?
fi
