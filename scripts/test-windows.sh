#!/usr/bin/env bash
# Runs the Windows test suites under Wine: every suite of build-win64/, and of
# build-win32/ the suites of the platform layer, the two libraries and vettle
# (the rest is the same code, already run in 64 bits); for each, the
# byte-for-byte comparison of Linux and Windows outputs. Build first with
# scripts/build.sh and scripts/build-windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

own_prefix=${XDG_CACHE_HOME:-$HOME/.cache}/logora-wine
export WINEPREFIX=${WINEPREFIX:-$own_prefix}
export WINEDEBUG=-all
# No display: console programs need none, and Wine must not look for one.
unset DISPLAY WAYLAND_DISPLAY
# The 32-bit suites run in every run: without wine32 the run fails rather
# than passing on half. Only a kernel that cannot start 32-bit programs at
# all, which no package mends, leaves them out, and says so.
source scripts/wine-loader.sh
if [[ $wine32_runs == "no: wine32"* ]]; then
  echo "test-windows: ${wine32_runs#no: }" >&2
  exit 1
fi
# A prefix made before wine32 was installed lacks the 32-bit system files
# ("could not load kernel32.dll"), and no update adds them: this script's own
# prefix is made again, one given in WINEPREFIX is left to its owner.
if [ "$wine32_runs" = yes ] && [ -f "$WINEPREFIX/system.reg" ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
  if [ "$WINEPREFIX" != "$own_prefix" ]; then
    echo "test-windows: the Wine prefix $WINEPREFIX has no 32-bit system files (made before wine32): remove it" >&2
    exit 1
  fi
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  if ! wine wineboot --init >/dev/null 2>&1; then
    echo "test-windows: Wine cannot make its prefix $WINEPREFIX" >&2
    exit 1
  fi
  # Its server lingers a moment; the persistent one below starts after it.
  wineserver -w
fi

# One server for the whole run: one that exits after each program's last
# client could be left by the next program just as it starts ("recvmsg:
# Connection reset by peer"). Its services start with the first program and
# live as long as it does: started here, they hold no pipe of ctest's, which
# would otherwise wait for them.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1
if [ "$wine32_runs" = yes ] && ! wine 'C:\windows\syswow64\cmd.exe' /c exit </dev/null >/dev/null 2>&1; then
  echo "test-windows: Wine cannot start a 32-bit program here" >&2
  exit 1
fi

# A suite that fails is run once more: Wine itself drops a client now and
# then; a fault of ours fails twice.
ctest --test-dir build-win64 --output-on-failure -j2 --repeat until-pass:2
scripts/same-bytes.sh build build-win64
if [ "$wine32_runs" != yes ]; then
  echo "test-windows: the 32-bit suites are built but not run: ${wine32_runs#no: }" >&2
  exit 0
fi
ctest --test-dir build-win32 --output-on-failure -j2 --repeat until-pass:2 -R '^(platform_|ordil_|guidara_|vettle_|common_)'
scripts/same-bytes.sh build build-win32
