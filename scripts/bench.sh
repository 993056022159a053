#!/usr/bin/env bash
# Runs the benchmarks under Wine in Xvfb (after scripts/build.sh): start-up, hover, the return
# from a game, memory and idle processor time, each against a minimal Win32 program, and the
# opening of each dialog against a minimal dialog (at 800x600),
# then the intro movie's processor time and answer to Escape (at 1024x768).
# Usage: scripts/bench.sh [RUNS [OTHER-zorv3d.exe]]   (OTHER: a second build's start-up beside)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
trap zorv_wine_stop EXIT
zorv_xvfb_start 800 600
zorv_wine_start
timeout 900 wine build/windows/bench/startup_bench.exe "${1:-5}" "${@:2}"
timeout 900 wine build/windows/bench/dialog_bench.exe "$((${1:-5} * 4))"
zorv_wine_stop
zorv_xvfb_start 1024 768
zorv_wine_start
timeout 900 wine build/windows/bench/movie_bench.exe "${1:-5}"
