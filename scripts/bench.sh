#!/usr/bin/env bash
# Runs the benchmarks under Wine in Xvfb (after scripts/build.sh): start-up, hover, the return
# from a game, memory and idle processor time, each against a minimal Win32 program, and the
# opening of each dialog against a minimal dialog (at 800x600),
# then the intro movie's processor time and answer to Escape (at 1024x768).
# Usage: scripts/bench.sh [--start-up-only] [RUNS [OTHER-zorv3d.exe...]]
# (each OTHER: another build's start-up, timed in turn with this one's; --start-up-only: only that)
set -euo pipefail
cd "$(dirname "$0")/.."
only=()
if [ "${1:-}" = --start-up-only ]; then
  only=(--start-up-only)
  shift
fi
source scripts/wine-env.sh
trap zorv_wine_stop EXIT
zorv_xvfb_start 800 600
zorv_wine_start
# The machine's load beside the start-up figures: other work on it spreads them.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
timeout 900 wine build/windows/bench/startup_bench.exe "${only[@]}" "${1:-5}" "${@:2}"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
[ ${#only[@]} -eq 0 ] || exit 0
timeout 900 wine build/windows/bench/dialog_bench.exe "$((${1:-5} * 4))"
zorv_wine_stop
zorv_xvfb_start 1024 768
zorv_wine_start
timeout 900 wine build/windows/bench/movie_bench.exe "${1:-5}"
