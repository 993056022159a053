#!/usr/bin/env bash
# Runs every fuzzer of build/native/tests/fuzz (after scripts/build.sh) for a number of executions
# (10 million by default), each from a fresh copy of its seeds, and prints per fuzzer the
# executions done, the crashes found (their inputs are kept under artifacts/fuzz/) and the
# coverage libFuzzer reached (edges and features). Usage: scripts/fuzz.sh [RUNS] [NAME...]
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-10000000}
shift || true
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for bin in build/native/tests/fuzz/*_fuzz; do names+=("$(basename "$bin" _fuzz)"); done
fi
out=$root/artifacts/fuzz
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
printf '%-16s %12s %8s %8s %8s %9s\n' fuzzer executions crashes edges features seconds
for name in "${names[@]}"; do
  bin=build/native/tests/fuzz/${name}_fuzz
  [ -x "$bin" ] || { echo "no fuzzer $bin" >&2; status=1; continue; }
  corpus=$work/$name
  mkdir -p "$corpus"
  [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$corpus/"
  if [ "$name" = bmp ]; then
    for d in tests/data/bmpsuite/g tests/data/bmpsuite/q tests/data/bmpsuite/b; do
      [ -d "$d" ] && cp -r "$d/." "$corpus/"
    done
  fi
  start=$SECONDS
  "$bin" -runs="$runs" -print_final_stats=1 -rss_limit_mb=2048 -artifact_prefix="$out/${name}-" \
    "$corpus" > "$work/$name.log" 2>&1
  code=$?
  executions=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/$name.log" | tail -1 | grep -o '[0-9]*$')
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$work/$name.log" | tail -1)
  crashes=0
  if [ $code -ne 0 ]; then
    crashes=1
    status=1
    cp "$work/$name.log" "$out/$name.log"
  fi
  printf '%-16s %12s %8s %8s %8s %9s\n' "$name" "${executions:-?}" "$crashes" \
    "$(echo "$coverage" | awk '{print $2}')" "$(echo "$coverage" | awk '{print $4}')" $((SECONDS - start))
done
exit $status
