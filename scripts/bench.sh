#!/usr/bin/env bash
# Runs the benchmarks under Wine in Xvfb (after scripts/build.sh): start-up time against a
# minimal Win32 program and processor time while the menu is idle (at 800x600), then the intro
# movie's processor time and answer to Escape (at 1024x768). The argument is the number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
trap zorv_wine_stop EXIT
zorv_xvfb_start 800 600
zorv_wine_start
wine build/windows/bench/startup_bench.exe "${1:-5}"
zorv_wine_stop
zorv_xvfb_start 1024 768
zorv_wine_start
wine build/windows/bench/movie_bench.exe "${1:-5}"
