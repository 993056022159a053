#!/usr/bin/env bash
# Builds both presets: the native core, tests and asset generator, then the Windows program,
# its tests and the game folder (build/windows/game).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake --preset native -DZORV_WERROR=$werror >/dev/null
cmake --build --preset native
cmake --preset windows -DZORV_WERROR=$werror >/dev/null
cmake --build --preset windows
