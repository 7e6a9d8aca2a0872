# shellcheck shell=bash
# For scripts that run a GoogleTest program several times, each time in another set-up (a state
# of the mail system, a screen DPI), and end like one GoogleTest run. Source it, then:
#   gtest_runs_add LOG RC SETUP PROGRAM   counts one run's log: its tests, passes and failures
#   gtest_runs_fail TEXT                  a failure that is no test's (a set-up that went wrong)
#   gtest_runs_summary WHAT               the closing lines ("... tests ran WHAT."); 1 if any failed

GTEST_RUNS_TOTAL=0
GTEST_RUNS_PASSED=0
GTEST_RUNS_FAILURES=()
GTEST_RUNS_COUNT=0

gtest_runs_fail() { GTEST_RUNS_FAILURES+=("$1"); }

gtest_runs_add() {
  local log="$1" rc="$2" setup="$3" program="$4" ran passed f
  GTEST_RUNS_COUNT=$((GTEST_RUNS_COUNT + 1))
  ran="$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran\..*/\1/p' "$log" | tail -n 1)"
  passed="$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$log" | tail -n 1)"
  ran="${ran:-0}" passed="${passed:-0}"
  GTEST_RUNS_TOTAL=$((GTEST_RUNS_TOTAL + ran))
  GTEST_RUNS_PASSED=$((GTEST_RUNS_PASSED + passed))
  local failed=()
  mapfile -t failed < <(sed -n '/^\[  FAILED  \] [0-9]* tests\?, listed below:/,/^$/p' "$log" |
    sed -nE 's/^\[  FAILED  \] ([^ ]+\.[^ ]+).*/\1/p')
  for f in "${failed[@]}"; do GTEST_RUNS_FAILURES+=("$f ($setup)"); done
  if [ "$ran" -eq 0 ]; then
    GTEST_RUNS_FAILURES+=("($setup) no test ran; $program exited with $rc")
  elif [ "$rc" -ne 0 ] && [ ${#failed[@]} -eq 0 ]; then
    GTEST_RUNS_FAILURES+=("($setup) $program exited with $rc")
  fi
}

gtest_runs_summary() {
  echo "[==========] $GTEST_RUNS_TOTAL tests ran $1."
  echo "[  PASSED  ] $GTEST_RUNS_PASSED tests."
  if [ ${#GTEST_RUNS_FAILURES[@]} -gt 0 ]; then
    echo "[  FAILED  ] ${#GTEST_RUNS_FAILURES[@]} tests, listed below:"
    local f
    for f in "${GTEST_RUNS_FAILURES[@]}"; do echo "[  FAILED  ] $f"; done
    echo
    echo " ${#GTEST_RUNS_FAILURES[@]} FAILED TESTS"
    return 1
  fi
}
