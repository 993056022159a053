#!/usr/bin/env bash
# Runs the Wine-run and end-to-end tests RUNS times in one Wine session (one Xvfb at 800x600,
# one wineserver), as the test command runs them, and prints per test how often it failed.
# Not part of the test command: it finds the tests that fail by chance. It builds nothing; run
# scripts/build.sh first.
#
#   bash scripts/repeat-wine-tests.sh [RUNS] [REGEX]
#
# RUNS defaults to 10; REGEX, when given, picks tests as `ctest -R` does. Junit files and logs
# of every run go to build/repeat-results/, screenshots of failures to artifacts/repeat/.
# Exits 1 when any run failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-10}
filter=${2:-}
case $runs in '' | *[!0-9]* | 0) echo "RUNS must be a positive number" >&2; exit 2 ;; esac
[ -d build/windows ] || { echo "build/windows is missing: run scripts/build.sh first" >&2; exit 2; }

results=$root/build/repeat-results
rm -rf "$results" "$root/artifacts/repeat"
mkdir -p "$results" "$root/artifacts/repeat"

source scripts/wine-env.sh
export ZORV_ARTIFACTS="Z:${root//\//\\}\\artifacts\\repeat"
trap zorv_wine_stop EXIT
zorv_xvfb_start 800 600
zorv_wine_start

selection=()
[ -n "$filter" ] && selection=(-R "$filter")
for run in $(seq 1 "$runs"); do
  start=$(date +%s)
  ctest --test-dir build/windows "${selection[@]}" --output-on-failure \
    --output-junit "$results/run-$run.xml" >"$results/run-$run.log" 2>&1 || true
  summary=$(grep -E '^[0-9]+% tests passed' "$results/run-$run.log" || echo "no summary (see $results/run-$run.log)")
  echo "run $run of $runs ($(( $(date +%s) - start )) s): $summary"
done

python3 - "$results" "$runs" <<'PY'
import glob, sys, xml.etree.ElementTree as ET
folder, runs = sys.argv[1], int(sys.argv[2])
counts = {}
for path in sorted(glob.glob(folder + "/run-*.xml")):
    for case in ET.parse(path).getroot().iter("testcase"):
        name = case.get("name", "?")
        bad = case.find("failure") is not None or case.find("error") is not None or case.get("status") == "fail"
        ran, failed = counts.get(name, (0, 0))
        counts[name] = (ran + 1, failed + (1 if bad else 0))
if not counts:
    print("no results: did the tests run?")
    sys.exit(1)
failing = {name: c for name, c in counts.items() if c[1]}
width = max(len(name) for name in counts)
print(f"{len(counts)} tests, {runs} runs each")
for name in sorted(counts):
    ran, failed = counts[name]
    if failed:
        print(f"  {name:<{width}}  failed {failed} of {ran}")
print("no test failed" if not failing else f"{len(failing)} tests failed at least once")
sys.exit(1 if failing else 0)
PY
