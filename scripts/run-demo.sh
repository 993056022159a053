#!/usr/bin/env bash
# Sets everything up, builds, and runs the front-end from the demo game folder under Wine.
# With DISPLAY set it opens on that display; otherwise it runs inside Xvfb, saves a
# screenshot of the menu and closes the program cleanly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
game=build/windows/game
remote=$PWD/build/windows/tools/remote/zorv_remote.exe
source scripts/wine-env.sh

if [ -n "${DISPLAY:-}" ]; then
  # On a desktop the hover and click sounds play through the system's sound.
  zorv_wine_use_demo_prefix
  zorv_wine_prefix_init
  cd "$game" && exec wine ./zorv3d.exe
fi

trap zorv_wine_stop EXIT
zorv_xvfb_start 1024 768
zorv_wine_start
mkdir -p artifacts
( cd "$game" && timeout 120 wine ./zorv3d.exe ) &
app=$!
timeout 60 wine "$remote" wait-menu 50
sleep 1
shot=$PWD/artifacts/demo-menu.png
import -display "$DISPLAY" -window root "$shot"
echo "Screenshot of the menu: $shot"
timeout 30 wine "$remote" close 20 || true
code=0
wait "$app" || code=$?
echo "The front-end ended with exit code $code"
exit "$code"
