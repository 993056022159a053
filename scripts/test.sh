#!/usr/bin/env bash
# Sets everything up, builds both presets and runs every test layer: native unit tests and
# fuzzers, then the Wine-run tests and the end-to-end tests inside Xvfb (the screen-size
# tests at four screen sizes, the movie tests at two, the high-resolution tests and the captions in
# a Russian system's code page in prefixes of their own). Ends with one "N passed, N failed" line.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
bash scripts/build.sh

results=$root/build/test-results
rm -rf "$results"
mkdir -p "$results" "$root/artifacts"
status=0

echo "== native: unit tests and fuzzers"
ctest --test-dir build/native -j2 --output-on-failure --output-junit "$results/native.xml" || status=1

source scripts/wine-env.sh
export ZORV_ARTIFACTS="Z:${root//\//\\}\\artifacts"
trap zorv_wine_stop EXIT

echo "== wine: Win32 tests and end-to-end tests at 800x600"
zorv_xvfb_start 800 600
zorv_wine_start
ctest --test-dir build/windows -LE dpi --output-on-failure --output-junit "$results/wine-800x600.xml" || status=1
zorv_wine_stop

for size in 640x480 1024x768 1280x1024; do
  echo "== wine: screen-size tests at $size"
  # The movie's stretch is checked at one more size; the window geometry at all of them.
  suites='^Geometry\.'
  [ "$size" = 1024x768 ] && suites='^(Geometry|Movie)\.'
  zorv_xvfb_start "${size%x*}" "${size#*x}"
  zorv_wine_start
  ctest --test-dir build/windows -R "$suites" --output-on-failure \
    --output-junit "$results/wine-$size.xml" || status=1
  zorv_wine_stop
done

for family in win98 nt40; do
  echo "== wine: the program as $family sees it, in a prefix set to that version"
  # The whole round of a player in the deepest folder: the movie, every settings screen, each
  # file saved, the game run once, QUIT.
  (
    zorv_wine_use_family_prefix "$family"
    trap zorv_wine_stop EXIT
    zorv_xvfb_start 800 600
    zorv_wine_start
    ctest --test-dir build/windows -R '^DeepFolder\.' --output-on-failure \
      --output-junit "$results/wine-$family.xml"
  ) || status=1
done

echo "== wine: the screens at 120, 144 and 192 dots per inch, in a prefix of their own"
# The end-to-end test sets the prefix's LogPixels for each program it starts; the Wine-run tests
# of the caption font and of the thread's awareness run once more, here at 144.
(
  zorv_wine_use_dpi_prefix
  trap zorv_wine_stop EXIT
  zorv_xvfb_start 800 600
  zorv_wine_start
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  ctest --test-dir build/windows -R '^(Dpi\.|ThreadDpi\.|Captioned\.FontHeight)' --output-on-failure \
    --output-junit "$results/wine-dpi.xml"
) || status=1

echo "== wine: the caption tests in a prefix whose ANSI code page is 1251, a Russian system's"
(
  zorv_wine_use_locale_prefix ru_RU.UTF-8 1251
  trap zorv_wine_stop EXIT
  zorv_xvfb_start 800 600
  zorv_wine_start
  ctest --test-dir build/windows -R '^Caption(ed|File)\.' --output-on-failure --output-junit "$results/wine-ru.xml"
) || status=1

echo "== package: the packager's zip, unpacked into an empty folder and run from there"
bash scripts/package.sh || status=1

python3 - "$results" <<'PY' || status=1
import glob, sys, xml.etree.ElementTree as ET
passed = failed = skipped = 0
for path in sorted(glob.glob(sys.argv[1] + "/*.xml")):
    for case in ET.parse(path).getroot().iter("testcase"):
        state = case.get("status", "")
        if case.find("failure") is not None or case.find("error") is not None or state == "fail":
            failed += 1
        elif case.find("skipped") is not None or state in ("notrun", "disabled"):
            skipped += 1
        else:
            passed += 1
line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed or passed == 0 else 0)
PY
exit $status
