#!/usr/bin/env bash
# Runs the DPI tests of wine_tests.exe (HighDpi*) once for each screen DPI the windows must
# scale to: 144 (150 %) and 192 (200 %). At 96 they run with every other Wine test. Each DPI
# needs a process and a Wine prefix of its own, because Wine reads the DPI when its server
# starts. Ends like a GoogleTest run with one summary over all DPIs, and exits non-zero when
# anything failed. Uses its own virtual display and Wine prefixes.
#
#   tests/wine/run-dpi-tests.sh [BUILD_TREE]     default: build/win64 (build it first)
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build/win64}" 2>/dev/null && pwd)"
EXE="$BUILD/tests/wine/wine_tests.exe"
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"

# shellcheck source=gtest_runs.sh
source "$ROOT/tests/wine/gtest_runs.sh"
summary() { gtest_runs_summary "at the screen DPIs"; }

if [ ! -f "$EXE" ]; then
  gtest_runs_fail "(build) wine_tests.exe not built in ${BUILD:-${1:-build/win64}}"
  summary
  exit 1
fi

# shellcheck source=../../scripts/lib/display.sh
source "$ROOT/scripts/lib/display.sh"
# Large enough for the windows at 200 %: a screen too small would clip them to its size.
if ! vps_display_start 2048x1536x24; then
  gtest_runs_fail "(set-up) no private display"
  summary
  exit 1
fi
echo "(display $DISPLAY)"

run_dpi() {
  local dpi="$1" log="$LOGS/wine-dpi-$1.log"
  echo
  echo "==================== screen at $dpi DPI ===================="
  if ! vps_prefix_new || ! vps_prefix_set_dpi "$dpi"; then
    gtest_runs_fail "($dpi DPI) no Wine prefix at that DPI"
    return
  fi
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  VPS_EXPECTED_DPI="$dpi" timeout 300 wine "$EXE" --gtest_filter='HighDpi*' </dev/null 2>&1 |
    tr -d '\r' | tee "$log"
  local rc=${PIPESTATUS[0]}
  vps_prefix_end "$WINEPREFIX"

  gtest_runs_add "$log" "$rc" "$dpi DPI" wine_tests.exe
}

run_dpi 144
run_dpi 192

vps_display_stop
echo
summary
