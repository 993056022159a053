#!/usr/bin/env bash
# Kills a program at random moments of its settings saves, 1000 times by default (after
# scripts/build.sh), and checks each time that the file is whole and at most one temporary file
# is left. Usage: scripts/save-stress.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
trap zorv_wine_stop EXIT
zorv_xvfb_start 640 480
zorv_wine_start
export ZORV_SAVE_STRESS_ROUNDS=${1:-1000}
timeout $((ZORV_SAVE_STRESS_ROUNDS / 2 + 120)) wine build/windows/tests/win/win_tests.exe \
  --gtest_filter='SaveStress.*'
