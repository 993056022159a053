#!/usr/bin/env bash
# Installs every Debian package the project needs, then builds the runtime that the shipped
# programs link, for the i586, once into a cache folder (scripts/i586-runtime.sh). Idempotent:
# packages already present are not fetched again, a runtime already built is not built again.
# Installs as root, or through sudo; builds the runtime as the calling user.
set -euo pipefail

pkgs=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
  libfreetype-dev fonts-dejavu-core pkg-config python3
  wine wine32:i386 xvfb xauth x11-utils imagemagick locales
  # What building the i586 runtime takes; its GCC source, gcc-12-source, comes after these.
  dpkg-dev make bzip2 xz-utils file libgmp-dev libmpfr-dev libmpc-dev zlib1g-dev
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
dpkg-query -W -f='${Status}' gcc-12-source 2>/dev/null | grep -q "install ok installed" || need_update=1
if [ ${#missing[@]} -gt 0 ] || [ "${need_update:-0}" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  ${SUDO} apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    ${SUDO:+$SUDO -E} apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

# gcc-12-source in the version the cross compiler was built from (its Built-Using), while the
# archive has it; a point release can move it ahead of the compiler. When the archive no longer
# has it, the newest, whose GCC 12 release the runtime's script then builds from and says so.
source_wanted=$(dpkg-query -W -f='${Built-Using}' gcc-mingw-w64-i686-win32 | sed -n 's/.*gcc-12 (= \([^)]*\)).*/\1/p')
source_installed=$(dpkg-query -W -f='${db:Status-Status} ${Version}' gcc-12-source 2>/dev/null || true)
if [ "$source_installed" != "installed $source_wanted" ]; then
  export DEBIAN_FRONTEND=noninteractive
  if [ -n "$source_wanted" ] && [ -n "$(apt-cache madison gcc-12-source | awk -v v="$source_wanted" '$3 == v')" ]; then
    ${SUDO:+$SUDO -E} apt-get install -y -q --no-install-recommends --allow-downgrades "gcc-12-source=$source_wanted"
  elif [ "${source_installed%% *}" != installed ]; then
    echo "setup: gcc-12-source ${source_wanted:-?}, which the cross compiler was built from, is not in the archive: installing the newest" >&2
    ${SUDO:+$SUDO -E} apt-get install -y -q --no-install-recommends gcc-12-source
  fi
fi

# The Wine prefix of the captions' code-page tests takes its ANSI code page (1251) from this locale.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
  grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

runtime=$(bash "$(dirname "$0")/i586-runtime.sh")
echo "The i586 runtime: $runtime"
