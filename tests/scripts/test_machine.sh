#!/usr/bin/env bash
# What the scripts decide about the machine (scripts/lib/machine.sh): whether it runs 32-bit
# programs, the switch that makes any machine act as one that does not, and Wine's loader on a
# machine that cannot run the 32-bit one. Prints "ok - ..." / "not ok - ..." per case.
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
PASSED=0
FAILED=0
WORK="$(mktemp -d "${TMPDIR:-/tmp}/vps-machine-test.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT

# run_case NAME FUNCTION: each case in a subshell of its own, so no answer is carried over.
run_case() {
  local name="$1" out rc=0
  out="$( (unset VPS_RUNS_32BIT VPS_NO_32BIT; "$2") 2>&1)" || rc=$?
  if [ "$rc" -eq 0 ]; then
    PASSED=$((PASSED + 1))
    echo "ok - scripts/machine: $name"
  else
    FAILED=$((FAILED + 1))
    echo "not ok - scripts/machine: $name"
    sed 's/^/    | /' <<<"$out"
  fi
}
fail() { echo "FAIL: $*"; exit 1; }

forced_off_whatever_the_machine() {
  export VPS_NO_32BIT=1
  source "$ROOT/scripts/lib/machine.sh"
  ! vps_runs_32bit || fail "VPS_NO_32BIT=1 still reports a machine that runs 32-bit programs"
  [[ "$VPS_NO_32BIT_REASON" == "this machine cannot run 32-bit programs"* ]] ||
    fail "the reason reads '$VPS_NO_32BIT_REASON'"
  [[ "$VPS_NO_32BIT_REASON" == *VPS_NO_32BIT=1* ]] || fail "the reason does not name the switch"
}

# The answer agrees with the kernel's own: an i386 program that exits 0 runs or it does not.
answer_agrees_with_running_an_i386_program() {
  source "$ROOT/scripts/lib/machine.sh"
  local kernel=no
  _vps_probe_32bit && kernel=yes
  if vps_runs_32bit; then [ "$kernel" = yes ] || fail "says yes, the probe says no"; else [ "$kernel" = no ] || fail "says no, the probe says yes"; fi
  # Taken over by the scripts it starts, which then need not probe again.
  [ "$(bash -c 'echo "$VPS_RUNS_32BIT"')" = "$([ "$kernel" = yes ] && echo yes || echo no)" ] ||
    fail "the answer is not handed to child scripts"
}

# Fake loaders: the 32-bit one fails as it does on such a kernel, the 64-bit one tells how it
# was started.
make_loaders() {
  mkdir -p "$WORK/lib"
  printf '#!/bin/sh\necho "exec: $0: Exec format error" >&2\nexit 126\n' >"$WORK/lib/wine"
  printf '#!/bin/sh\necho "64-bit loader WINELOADER=$WINELOADER args=$*"\n' >"$WORK/lib/wine64"
  chmod +x "$WORK/lib/wine" "$WORK/lib/wine64"
  export VPS_WINE32_LOADER="$WORK/lib/wine" VPS_WINE64_LOADER="$WORK/lib/wine64" VPS_ROOT="$WORK/root"
}

installed_wine32_is_passed_over_where_it_cannot_run() {
  make_loaders
  export VPS_NO_32BIT=1
  source "$ROOT/scripts/lib/machine.sh"
  vps_wine_loader_ensure
  local name out
  for name in wine wine-stable; do
    out="$("$name" --version)" || fail "$name failed"
    [ "$out" = "64-bit loader WINELOADER=$WORK/lib/wine64 args=--version" ] || fail "$name ran: $out"
  done
  # Once is enough: sourcing again does not stack the folder on PATH.
  vps_wine_loader_ensure
  [ "$(tr ':' '\n' <<<"$PATH" | grep -c "wine64-loader")" -eq 1 ] || fail "PATH holds the folder twice"
}

wine_is_left_alone_where_32_bit_programs_run() {
  make_loaders
  export VPS_RUNS_32BIT=yes
  source "$ROOT/scripts/lib/machine.sh"
  local before="$PATH"
  vps_wine_loader_ensure
  [ "$PATH" = "$before" ] || fail "PATH changed to $PATH"
}

run_case "VPS_NO_32BIT=1 makes any machine one that runs no 32-bit program, and says so" forced_off_whatever_the_machine
run_case "the answer is the kernel's: an i386 program runs or not" answer_agrees_with_running_an_i386_program
run_case "installed 32-bit Wine on such a machine: wine and wine-stable start the 64-bit loader" installed_wine32_is_passed_over_where_it_cannot_run
run_case "where 32-bit programs run, Wine is started as installed" wine_is_left_alone_where_32_bit_programs_run
echo "scripts/machine: $PASSED ok, $FAILED not ok"
[ "$FAILED" -eq 0 ]
