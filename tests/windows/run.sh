#!/usr/bin/env bash
# Runs the tests of the Windows build under Wine: the unit and scenario tests, each in a process
# of its own; the program on a virtual display (windows_e2e.sh); and the installer in a fresh
# Wine prefix (installer_test.sh). scripts/windows builds what they run; the end-to-end test
# also needs the desktop build of the game (build-test/vorlask, or VORLASK_LINUX_BIN), whose
# start position on screen the Windows build must match pixel for pixel.
# Usage: tests/windows/run.sh [BUILD-FOLDER, default build-windows]
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(cd "${1:-build-windows}" && pwd)"
export VORLASK_LINUX_BIN="${VORLASK_LINUX_BIN:-$PWD/build-test/vorlask}"
[ -x "$VORLASK_LINUX_BIN" ] || { echo "tests/windows/run.sh: $VORLASK_LINUX_BIN is missing" >&2; exit 1; }

# Each test starts its own Xvfb; Wine's desktop must not be bound to another display first.
unset DISPLAY
# One prefix for the build folder, made on its first run (10 to 20 s) and used by every test.
export WINEPREFIX="$build/wine"
# shellcheck source=tests/windows/wine.sh
source tests/windows/wine.sh
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 120 wineboot --init >/dev/null 2>&1
  timeout 60 wineserver -w
fi
# Wine's server and its services outlive the program that started them. Started by a test, they
# would keep ctest's output pipe open; started here, they have no part in it, and every test
# finds them running.
# (One that is running already, from an earlier run, serves as well.)
wineserver -p </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k 2>/dev/null || true' EXIT
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300
