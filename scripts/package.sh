#!/usr/bin/env bash
# Builds the packager's archive, build/windows/zorv3d-frontend-<version>.zip (after
# scripts/build.sh), then proves it: unpacked into an empty folder, the front-end runs from there
# under Wine to its menu (a screenshot goes to artifacts/package-menu.png) and quits with code 0.
# Extra arguments go to the windows preset's configure step, e.g. -DZORV_PACKAGE_STAND_IN=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
if [ $# -gt 0 ]; then cmake --preset windows "$@" >/dev/null; fi
cmake --build --preset windows --target package_zip
zip=$(ls -t build/windows/zorv3d-frontend-*.zip | head -1)
echo "Package: $root/$zip"

place=$(mktemp -d)
trap 'rm -rf "$place"; zorv_wine_stop' EXIT
source scripts/wine-env.sh
( cd "$place" && unzip -q "$root/$zip" )
zorv_xvfb_start 800 600
zorv_wine_start
( cd "$place" && timeout 120 wine ./zorv3d.exe ) &
app=$!
timeout 60 wine build/windows/tools/remote/zorv_remote.exe wait-menu 50
mkdir -p artifacts
sleep 1
import -display "$DISPLAY" -window root "$root/artifacts/package-menu.png"
echo "Screenshot of the unpacked front-end's menu: $root/artifacts/package-menu.png"
timeout 30 wine build/windows/tools/remote/zorv_remote.exe close 20
code=0
wait "$app" || code=$?
echo "The unpacked front-end ended with exit code $code"
exit "$code"
