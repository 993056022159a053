# Sourced by the run and test scripts: a fast, deterministic Wine inside a private Xvfb.
#   zorv_xvfb_start WIDTH HEIGHT   start an X server of that size and export DISPLAY
#   zorv_wine_start                 prepare the prefix (once) and keep a wineserver running
#   zorv_wine_stop                  end the wineserver and the X server started here
#   zorv_wine_use_demo_prefix       switch to the demo's own prefix, which keeps the system's
#                                   sound (the tests' prefix has none, so they stay silent)
#   zorv_wine_use_dpi_prefix        switch to the prefix of the high-resolution tests, which set
#                                   its LogPixels and run only where ZORV_DPI_PREFIX is 1
#   zorv_wine_use_family_prefix V   switch to a prefix that reports Windows version V (win98,
#                                   nt40) to every program, and export ZORV_FAMILY=V
#   zorv_wine_use_locale_prefix L CP  switch to a prefix made and run in the Unix locale L (set up
#                                   by scripts/setup.sh), whose ANSI code page is CP, and export
#                                   ZORV_CODE_PAGE=CP
ZORV_ROOT=${ZORV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
export WINEPREFIX=${WINEPREFIX:-$ZORV_ROOT/build/wine/prefix}
ZORV_XVFB_PID=""

zorv_xvfb_start() {
  local w=$1 h=$2 n
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb ":$n" -screen 0 "${w}x${h}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    ZORV_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$ZORV_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$ZORV_XVFB_PID" 2>/dev/null
  done
  echo "could not start Xvfb" >&2
  return 1
}

zorv_wine_use_demo_prefix() {
  export WINEPREFIX=$ZORV_ROOT/build/wine/demo-prefix
  ZORV_WINE_SOUND=system
}

zorv_wine_use_dpi_prefix() {
  export WINEPREFIX=$ZORV_ROOT/build/wine/dpi-prefix
  export ZORV_DPI_PREFIX=1
}

zorv_wine_use_family_prefix() {
  export WINEPREFIX=$ZORV_ROOT/build/wine/$1-prefix
  export ZORV_FAMILY=$1
}

zorv_wine_use_locale_prefix() {
  export WINEPREFIX=$ZORV_ROOT/build/wine/${1%%.*}-prefix LC_ALL=$1 ZORV_CODE_PAGE=$2
}

zorv_wine_prefix_init() {
  if [ ! -f "$WINEPREFIX/.zorv-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    # Unmanaged windows close at once; a crash must end the process, not wait on a dialog.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Silent unless asked for: the tests must not depend on the machine's sound.
    if [ "${ZORV_WINE_SOUND:-}" != system ]; then
      wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f >/dev/null 2>&1
    fi
    if [ -n "${ZORV_FAMILY:-}" ]; then
      wine winecfg -v "$ZORV_FAMILY" >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.zorv-ready"
  fi
}

zorv_wine_start() {
  zorv_wine_prefix_init
  wineserver -p
  # Starts the desktop process once, so that the first test does not pay for it.
  timeout 60 wine cmd /c exit >/dev/null 2>&1 || true
}

zorv_wine_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "$ZORV_XVFB_PID" ]; then
    kill "$ZORV_XVFB_PID" 2>/dev/null || true
    wait "$ZORV_XVFB_PID" 2>/dev/null || true
    ZORV_XVFB_PID=""
  fi
}
