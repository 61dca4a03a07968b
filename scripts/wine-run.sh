#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code through.
# CTest uses it as the cross-compiling emulator of the win64 build; it can also be
# run by hand:  scripts/wine-run.sh build/win64/tests/runtime/runtime_tests.exe
#
#   wine-run.sh [--timeout SECONDS] PROGRAM.exe [ARGS...]
#   wine-run.sh --init-prefix [DIR]      create the Wine prefix only
#
# Environment: WINEDEBUG (default -all) and WINEDLLOVERRIDES (default: no Mono, Gecko
# or menu entries) are kept when the caller sets them.
# Wine prefix: $WINEPREFIX when set (the session harness exports it), otherwise
# <build folder>/wineprefix, found from the program's path (the folder that holds
# CMakeCache.txt). It is created on first use with `wineboot -i`, under a lock so that
# parallel tests do not race. A wineserver already running for the prefix (the
# harness starts a persistent one) is used as it is.
#
# Watchdog: the program is killed after TEMPRA_WINE_TIMEOUT seconds (default 100,
# below CTest's 120 so that our message is the one seen); exit code 124 then.
set -uo pipefail

die() {
  echo "wine-run: $*" >&2
  exit 125
}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

# The folder holding CMakeCache.txt above the given path, or nothing.
build_root_of() {
  local dir
  dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || return 0
  while [[ -n "$dir" && "$dir" != "/" ]]; do
    if [[ -f "$dir/CMakeCache.txt" ]]; then
      echo "$dir"
      return 0
    fi
    dir=$(dirname "$dir")
  done
}

# Creates the prefix once; later callers wait on the lock and find it ready.
init_prefix() {
  local prefix=$1
  mkdir -p "$(dirname "$prefix")" || die "cannot create $(dirname "$prefix")"
  command -v wine >/dev/null || die "wine is not installed (apt-get install wine wine64)"
  command -v flock >/dev/null || die "flock is not installed (util-linux)"
  (
    flock -w 300 9 || die "timed out waiting for the lock on $prefix"
    if [[ ! -f "$prefix/system.reg" ]]; then
      echo "wine-run: creating Wine prefix $prefix" >&2
      mkdir -p "$prefix"
      if ! WINEPREFIX="$prefix" timeout -k 10 240 wineboot -i >"$prefix.log" 2>&1; then
        cat "$prefix.log" >&2
        die "wineboot -i failed for $prefix (log: $prefix.log)"
      fi
    fi
  ) 9>"$prefix.lock"
}

timeout_s=${TEMPRA_WINE_TIMEOUT:-100}
case "${1:-}" in
  --init-prefix)
    prefix=${2:-${WINEPREFIX:-}}
    [[ -n "$prefix" ]] || die "--init-prefix needs a folder (or WINEPREFIX)"
    init_prefix "$(realpath -m "$prefix")"
    exit $?
    ;;
  --timeout)
    [[ "${2:-}" =~ ^[0-9]+$ ]] || die "--timeout needs a number of seconds"
    timeout_s=$2
    shift 2
    ;;
esac

[[ $# -ge 1 ]] || die "usage: wine-run.sh [--timeout SECONDS] PROGRAM.exe [ARGS...]"
program=$1
shift
[[ -f "$program" ]] || die "no such program: $program"

if [[ -z "${WINEPREFIX:-}" ]]; then
  root=$(build_root_of "$program")
  [[ -n "$root" ]] || die "cannot tell the build folder of $program; set WINEPREFIX"
  export WINEPREFIX="$root/wineprefix"
fi
WINEPREFIX=$(realpath -m "$WINEPREFIX")
export WINEPREFIX
init_prefix "$WINEPREFIX"

# Wine's helper processes (services.exe, winedevice.exe, explorer.exe) outlive the
# program while a wineserver runs and inherit its output; writing to a file instead
# of the caller's pipe keeps CTest from waiting on them.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || die "cannot create a temporary file"
trap 'rm -f "$out"' EXIT
# timeout(1) runs wine in a process group of its own and signals the whole group,
# so programs the test started go down with it.
timeout -k 5 "$timeout_s" wine "$program" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
if [[ $rc -eq 124 || $rc -eq 137 ]]; then
  echo "wine-run: $(basename "$program") did not finish within ${timeout_s}s; killed" >&2
  rc=124
elif [[ $rc -ne 0 && -z "${DISPLAY:-}" ]]; then
  echo "wine-run: exit code $rc and no X display set; a program that opens windows" \
    "needs one: scripts/wine-session.sh -- ctest --preset win64" >&2
fi
exit "$rc"
