#!/usr/bin/env bash
# Checks that the repository's C++ is as the root .clang-format writes it; names every file
# that differs and exits 1 when one does. `--fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
differ=0
for f in "${files[@]}"; do
  if ! clang-format "$f" | cmp -s - "$f"; then
    echo "$f: not as .clang-format writes it (bash scripts/check-format.sh --fix)"
    differ=1
  fi
done
exit $differ
