#!/usr/bin/env bash
# Runs one fuzz target of the fuzz preset (sources in fuzz/, build in build/fuzz):
#   bash scripts/fuzz.sh [--no-build] [--build-dir DIR] TARGET [SECONDS]   (default 20 s)
# e.g. bash scripts/fuzz.sh text_cuts 600 for a long run. TARGET is a fuzz/TARGET.cpp.
#
# Each committed crash in fuzz/regressions/TARGET runs once as a plain input; then
# libFuzzer mutates a scratch copy of fuzz/corpus/TARGET for SECONDS, so the committed
# corpus never grows. An input that crashes is kept in DIR/crashes/TARGET/: commit it
# under fuzz/regressions/TARGET/ with the fix. Exits 0 when nothing crashed.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=1
build_dir="$ROOT/build/fuzz"
while [[ $# -gt 0 && "$1" == --* ]]; do
  case "$1" in
    --no-build) build=0 ;;
    --build-dir)
      build_dir=$(realpath -m "$2")
      shift
      ;;
    *)
      echo "unknown option $1" >&2
      exit 2
      ;;
  esac
  shift
done
target=${1:?usage: scripts/fuzz.sh [--no-build] [--build-dir DIR] TARGET [SECONDS]}
seconds=${2:-20}
if [[ ! -f "$ROOT/fuzz/$target.cpp" ]]; then
  echo "no fuzz target '$target' (fuzz/$target.cpp)" >&2
  exit 2
fi

if [[ $build -eq 1 ]]; then
  (cd "$ROOT" && cmake --preset fuzz -B "$build_dir" >/dev/null &&
    cmake --build "$build_dir" --target "fuzz_$target") ||
    exit 1
fi
program="$build_dir/fuzz/fuzz_$target"
[[ -x "$program" ]] || { echo "$program is missing: build the fuzz preset" >&2; exit 1; }

# Pictures are files of a few hundred bytes and up; the other inputs are short records.
max_len=4096
[[ "$target" == picture ]] && max_len=65536

scratch="$build_dir/scratch/$target"
crashes="$build_dir/crashes/$target"
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$crashes"
if [[ -d "$ROOT/fuzz/corpus/$target" ]]; then
  cp -R "$ROOT/fuzz/corpus/$target/." "$scratch/corpus/"
fi
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The scratch folder is the current directory: names the link target resolves land there.
cd "$scratch" || exit 1

mapfile -t regressions < <(find "$ROOT/fuzz/regressions/$target" -type f 2>/dev/null | sort)
if [[ ${#regressions[@]} -gt 0 ]]; then
  echo "$target: ${#regressions[@]} regression inputs"
  if ! "$program" -artifact_prefix="$crashes/" "${regressions[@]}" >regressions.log 2>&1; then
    cat regressions.log
    echo "FAILED: $target crashes on a committed regression input"
    exit 1
  fi
fi

echo "$target: fuzzing for ${seconds}s"
if ! "$program" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$crashes/" -print_final_stats=1 corpus >fuzz.log 2>&1; then
  tail -60 fuzz.log
  echo "FAILED: $target found a crash; the input is in $crashes/"
  exit 1
fi
grep -E '^(Done|#[0-9]+.*DONE)|stat::number_of_executed_units' fuzz.log | tail -2
echo "$target: passed"
