#!/usr/bin/env bash
# Runs the mail tests (mapi_tests.exe) under Wine against the stand-in MAPI32.DLL built beside
# them, once for each state of the mail system. Each state needs a process of its own, because
# the program decides only once per process whether Simple MAPI is there:
#
#   installed           "MAPI" = "1", the stand-in preferred to Wine's built-in MAPI32
#   not announced       no "MAPI" value at all: no mail client
#   announced "0"       "MAPI" = "0": no mail client
#   library missing     "MAPI" = "1", but no MAPI32.DLL can be loaded
#   incomplete client   a stand-in without MAPIResolveName
#   wide client         a stand-in that also exports MAPISendMailW (Windows 8 and later)
#
# Ends like a GoogleTest run, with one summary over all of them ("[  PASSED  ] N tests." and,
# after failures, "[  FAILED  ] N tests, listed below:", their names and " N FAILED TESTS"), and
# exits non-zero when anything failed. Uses its own virtual display and Wine prefix.
#
#   tests/wine/run-mapi-tests.sh [BUILD_TREE]     default: build/win64 (build it first)
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build/win64}" 2>/dev/null && pwd)"
TESTS="$BUILD/tests/wine/mapi"
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"

# shellcheck source=gtest_runs.sh
source "$ROOT/tests/wine/gtest_runs.sh"
summary() { gtest_runs_summary "in the states of the mail system"; }

if [ ! -f "$TESTS/mapi_tests.exe" ] || [ ! -f "$TESTS/MAPI32.DLL" ] ||
   [ ! -f "$TESTS/without-resolve/mapi_tests.exe" ] || [ ! -f "$TESTS/wide/mapi_tests.exe" ]; then
  echo "mapi_tests.exe or the stand-in MAPI32.DLL is not built in ${BUILD:-${1:-build/win64}}"
  gtest_runs_fail "(build) mapi_tests.exe not built"
  summary
  exit 1
fi

# shellcheck source=../../scripts/lib/display.sh
source "$ROOT/scripts/lib/display.sh"
# shellcheck source=../../scripts/lib/mail.sh
source "$ROOT/scripts/lib/mail.sh"
if ! vps_display_start || ! vps_prefix_new; then
  gtest_runs_fail "(set-up) no private display or Wine prefix"
  summary
  exit 1
fi
echo "(display $DISPLAY, prefix $WINEPREFIX)"
BASE_OVERRIDES="$WINEDLLOVERRIDES"
# Without it every hidden window waits for the X server to confirm, about 2 s each time.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The body's date and time follow the user's locale; the tests expect the one Wine derives
# from the C locale (United States English).
export LC_ALL=C.UTF-8

# run_state NAME MAPI-VALUE MAPI32-OVERRIDE EXE FILTER
#   MAPI-VALUE: the registry text, or "absent" to remove the value
#   MAPI32-OVERRIDE: n = the DLL beside the program, "" = none can be loaded
run_state() {
  local name="$1" value="$2" override="$3" exe="$4" filter="$5"
  local log="$LOGS/mapi-${name// /-}.log"
  echo
  echo "==================== mail system: $name ===================="
  vps_mail_announce "$value"
  WINEDLLOVERRIDES="$BASE_OVERRIDES;mapi32=$override" \
    timeout 300 wine "$exe" --gtest_filter="$filter" </dev/null 2>&1 | tr -d '\r' | tee "$log"
  local rc=${PIPESTATUS[0]}

  gtest_runs_add "$log" "$rc" "$name" mapi_tests.exe
}

ONLY_WITHOUT_MAPI='MailWithoutSimpleMapi.*'
run_state "installed" 1 n "$TESTS/mapi_tests.exe" "-$ONLY_WITHOUT_MAPI:MailWithoutResolveName.*:MailWideClient.*"
# Straight after "1", so a removal that silently failed cannot pass for one.
run_state "not announced" absent n "$TESTS/mapi_tests.exe" "$ONLY_WITHOUT_MAPI"
run_state "announced 0" 0 n "$TESTS/mapi_tests.exe" "$ONLY_WITHOUT_MAPI"
run_state "library missing" 1 "" "$TESTS/mapi_tests.exe" "$ONLY_WITHOUT_MAPI"
run_state "incomplete client" 1 n "$TESTS/without-resolve/mapi_tests.exe" 'MailWithoutResolveName.*'
run_state "wide client" 1 n "$TESTS/wide/mapi_tests.exe" 'MailWideClient.*'

vps_prefix_end
vps_display_stop
echo
summary
