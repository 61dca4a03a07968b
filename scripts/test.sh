#!/usr/bin/env bash
# The project's one test command (CI runs it through .ci/run):
#   bash scripts/test.sh [STAGE...]      stages: format native native-asan fuzz win64 package
#                                        (default: all)
#
# Run as root it first installs the Debian packages a fresh machine lacks; as anyone
# else it names them and stops. Then, for each preset, it configures, builds (ninja,
# TEMPRA_JOBS jobs, default 2) and runs CTest; win64 runs its tests under Wine inside
# a session of scripts/wine-session.sh (Xvfb + persistent wineserver); fuzz runs every
# fuzz target briefly, and its committed crashes, through scripts/fuzz.sh; package builds
# and runs examples/hello and examples/countdown on the toolkit installed from the native
# and win64 builds (so it comes after them). Every stage runs even when an earlier one failed; the exit code
# is non-zero if any failed, and the last line is "Total: N passed, M failed".
#
# Environment: TEMPRA_JOBS (parallel jobs), TEMPRA_FORMAT_CHECK=report (a file that
# clang-format would change is only reported; by default it fails the run),
# TEMPRA_CCACHE=0 (compile without ccache; by default ccache is used, keyed on paths
# relative to the checkout, so a fresh clone reuses an earlier run's objects).
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
JOBS=${TEMPRA_JOBS:-2}
LOGDIR="$ROOT/build/logs"
FORMAT_MODE=${TEMPRA_FORMAT_CHECK:-strict}
SOURCE_DIRS=(runtime events system pixmap graphics gui app tests bench fuzz examples)

# Debian 12 packages. Installed with their recommends: wine's recommends carry the X
# libraries and fonts the Win32 GUI tests need.
PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  pkg-config libgdk-pixbuf-2.0-dev mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 xvfb xauth fonts-wine libfaketime clang-format clang-14 libclang-rt-14-dev ccache util-linux
  coreutils)
# Commands the stages call, checked after installing.
COMMANDS=(cmake ctest ninja g++ clang++-14 x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix
  wine wineserver wineboot Xvfb clang-format flock timeout)

declare -A STAGE_NOTE=()
STAGE_ORDER=()
FAILED_STAGES=()
TOTAL_PASSED=0
TOTAL_FAILED=0
RUN_START=$(date +%s)

say() { printf '\n=== %s\n' "$*"; }
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1fs", b - a }'; }

ensure_packages() {
  local missing=() p
  if command -v dpkg-query >/dev/null; then
    for p in "${PACKAGES[@]}"; do
      if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]]; then
        missing+=("$p")
      fi
    done
  fi
  if [[ ${#missing[@]} -gt 0 ]]; then
    if [[ $(id -u) -ne 0 ]]; then
      echo "Missing packages: ${missing[*]}" >&2
      echo "Install them as root (apt-get install ${missing[*]}) or run this script as root." >&2
      exit 2
    fi
    say "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    local try
    for try in 1 2 3; do  # a mirror hiccup should not fail the run
      if apt-get update -q && apt-get install -y -q "${missing[@]}"; then
        break
      fi
      if [[ $try -eq 3 ]]; then
        echo "FAILED: could not install ${missing[*]}" >&2
        exit 2
      fi
      sleep 10
    done
  fi
  local absent=() c
  for c in "${COMMANDS[@]}"; do
    command -v "$c" >/dev/null || absent+=("$c")
  done
  if [[ ${#absent[@]} -gt 0 ]]; then
    echo "FAILED: commands not found after installing: ${absent[*]}" >&2
    exit 2
  fi
}

# CMake picks the launcher up from the environment when it first configures a build
# folder. Hashing paths relative to the checkout lets CI's fresh clone hit the cache.
use_ccache() {
  if [[ "${TEMPRA_CCACHE:-1}" == 0 ]] || ! command -v ccache >/dev/null; then
    return
  fi
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-3G}
}

# Prints the tail of a log with the compiler's error lines first.
show_failure_log() {
  local log=$1
  echo "--- errors from $log:"
  grep -E 'error|FAILED|Error' "$log" | head -40
  echo "--- last lines of $log:"
  tail -40 "$log"
}

stage_format() {
  local t0 files bad=() f
  t0=$(now)
  mapfile -t files < <(find "${SOURCE_DIRS[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  STAGE_ORDER+=(format)
  if [[ ${#bad[@]} -eq 0 ]]; then
    STAGE_NOTE[format]="${#files[@]} files formatted ($(elapsed "$t0"))"
    return
  fi
  echo "clang-format would change ${#bad[@]} of ${#files[@]} files:"
  printf '  %s\n' "${bad[@]}"
  echo "fix with: clang-format -i ${bad[*]}"
  if [[ "$FORMAT_MODE" == strict ]]; then
    STAGE_NOTE[format]="FAILED: ${#bad[@]} files not formatted"
    FAILED_STAGES+=("format")
  else
    STAGE_NOTE[format]="${#bad[@]} of ${#files[@]} files not formatted (reported only)"
  fi
}

# stage PRESET [WRAPPER...]: configure, build and test one preset; the wrapper, if
# any, runs CTest (the Wine session for win64).
stage() {
  local preset=$1
  shift
  local log_c="$LOGDIR/$preset-configure.log" log_b="$LOGDIR/$preset-build.log"
  local log_t="$LOGDIR/$preset-test.log" t0 tc tb tt rc
  STAGE_ORDER+=("$preset")

  say "$preset: configure"
  t0=$(now)
  cmake --preset "$preset" >"$log_c" 2>&1
  rc=$?
  tc=$(elapsed "$t0")
  if [[ $rc -ne 0 ]]; then
    show_failure_log "$log_c"
    stage_failed "$preset" "configure failed"
    return
  fi

  say "$preset: build (-j$JOBS)"
  t0=$(now)
  cmake --build --preset "$preset" -j "$JOBS" >"$log_b" 2>&1
  rc=$?
  tb=$(elapsed "$t0")
  if [[ $rc -ne 0 ]]; then
    show_failure_log "$log_b"
    stage_failed "$preset" "build failed (configure $tc, build $tb)"
    return
  fi
  echo "built in $tb ($(grep -c '^\[' "$log_b") steps)"

  say "$preset: test"
  t0=$(now)
  "$@" ctest --preset "$preset" -j "$JOBS" 2>&1 | tee "$log_t"
  rc=${PIPESTATUS[0]}
  tt=$(elapsed "$t0")
  local summary total failed
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log_t" | tail -1)
  if [[ -z "$summary" ]]; then
    stage_failed "$preset" "CTest ran no tests or did not finish (exit $rc)"
    return
  fi
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
  TOTAL_PASSED=$((TOTAL_PASSED + total - failed))
  TOTAL_FAILED=$((TOTAL_FAILED + failed))
  local note="$((total - failed)) of $total tests passed (configure $tc, build $tb, test $tt)"
  if [[ $rc -ne 0 || $failed -ne 0 ]]; then
    STAGE_NOTE[$preset]="FAILED: $note"
    FAILED_STAGES+=("$preset")
  else
    STAGE_NOTE[$preset]=$note
  fi
}

# A stage that could not run its tests counts as one failed test in the total.
stage_failed() {
  STAGE_NOTE[$1]="FAILED: $2"
  FAILED_STAGES+=("$1")
  TOTAL_FAILED=$((TOTAL_FAILED + 1))
}

# Each example and the arguments that make it end by itself.
declare -A EXAMPLE_ARGS=([hello]="500" [countdown]="1 --demo")
EXAMPLES=(hello countdown)

# package_install PRESET: installs the toolkit (component quardeln) from build/PRESET into
# a scratch prefix. Needs the build of that preset's stage.
package_install() {
  local build="$ROOT/build/$1" dir="$ROOT/build/package/$1"
  if [[ ! -f "$build/CMakeCache.txt" ]]; then
    echo "build/$1 is missing: run the $1 stage first"
    return 1
  fi
  rm -rf "$dir"
  cmake --install "$build" --component quardeln --prefix "$dir/prefix"
}

# package_example PRESET EXAMPLE: configures, builds and runs examples/EXAMPLE against the
# prefix package_install filled, for win64 with the toolchain file installed with it and
# under Wine. The example ends by itself.
package_example() {
  local preset=$1 example=$2 build="$ROOT/build/$1" dir="$ROOT/build/package/$1" type
  local -a run=("$dir/$example/$example") args=(-G Ninja -DCMAKE_PREFIX_PATH="$dir/prefix")
  local -a given
  read -ra given <<<"${EXAMPLE_ARGS[$example]}"
  type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
  args+=(-DCMAKE_BUILD_TYPE="$type")
  if [[ $preset == win64 ]]; then
    args+=(-DCMAKE_TOOLCHAIN_FILE="$dir/prefix/lib/cmake/Quardeln/mingw-w64-posix.cmake")
    run=(bash "$ROOT/scripts/wine-session.sh" --prefix "$build/wineprefix" --timeout 300 --
      "$ROOT/scripts/wine-run.sh" "$dir/$example/$example.exe")
  fi
  cmake -S "$ROOT/examples/$example" -B "$dir/$example" "${args[@]}" &&
    cmake --build "$dir/$example" &&
    "${run[@]}" "${given[@]}"
}

# package: each example against the installed toolkit of the native and the win64 build,
# one test each.
stage_package() {
  local t0 preset example log passed=0 failed=0 ok before
  t0=$(now)
  STAGE_ORDER+=(package)
  for preset in native win64; do
    log="$LOGDIR/package-$preset.log"
    say "package: ${EXAMPLES[*]} on the toolkit installed from build/$preset"
    package_install "$preset" >"$log" 2>&1
    ok=$?
    before=$failed
    for example in "${EXAMPLES[@]}"; do
      if [[ $ok -eq 0 ]] && package_example "$preset" "$example" >>"$log" 2>&1 &&
        grep -q "^$example: ended" "$log"; then
        grep "^$example: ended" "$log"
        passed=$((passed + 1))
      else
        echo "FAILED: $example on build/$preset"
        failed=$((failed + 1))
      fi
    done
    [[ $failed -eq $before ]] || show_failure_log "$log"
  done
  TOTAL_PASSED=$((TOTAL_PASSED + passed))
  TOTAL_FAILED=$((TOTAL_FAILED + failed))
  local note="$passed of $((passed + failed)) installed examples built and ran ($(elapsed "$t0"))"
  if [[ $failed -ne 0 ]]; then
    STAGE_NOTE[package]="FAILED: $note"
    FAILED_STAGES+=(package)
  else
    STAGE_NOTE[package]=$note
  fi
}

main() {
  local stages=("$@") s
  [[ ${#stages[@]} -gt 0 ]] || stages=(format native native-asan fuzz win64 package)
  for s in "${stages[@]}"; do
    case "$s" in
      format | native | native-asan | fuzz | win64 | package) ;;
      *)
        echo "unknown stage '$s' (format, native, native-asan, fuzz, win64, package)" >&2
        exit 2
        ;;
    esac
  done
  ensure_packages
  mkdir -p "$LOGDIR"
  use_ccache
  for s in "${stages[@]}"; do
    case "$s" in
      format) say "format: clang-format $(clang-format --version | grep -oE '[0-9]+\.[0-9.]+' | head -1)"
        stage_format ;;
      native | native-asan | fuzz) stage "$s" ;;
      win64) stage win64 bash "$ROOT/scripts/wine-session.sh" --prefix "$ROOT/build/win64/wineprefix" -- ;;
      package) stage_package ;;
    esac
  done

  say "Summary (logs in build/logs)"
  for s in "${STAGE_ORDER[@]}"; do
    printf '  %-12s %s\n' "$s" "${STAGE_NOTE[$s]}"
  done
  printf '  %-12s %ss\n' "wall time" "$(($(date +%s) - RUN_START))"
  if [[ ${#FAILED_STAGES[@]} -gt 0 ]]; then
    echo "FAILED stages: ${FAILED_STAGES[*]}"
  fi
  echo "Total: $TOTAL_PASSED passed, $TOTAL_FAILED failed"
  [[ ${#FAILED_STAGES[@]} -eq 0 ]]
}

main "$@"
