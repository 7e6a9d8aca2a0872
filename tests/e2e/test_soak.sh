#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# 100 activations of the resident program, each with a hide: Copy to Clipboard, Save as a BMP
# and an area selection by turns. What it holds after the first one and after the hundredth
# must be the same: a leak of a GDI object, a window, a kernel handle or a thread per
# activation would show here as growth of 33 or more. (scripts/bench-soak runs 1000.)
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=soak_lib.sh
source "$(dirname "$0")/soak_lib.sh"

# What may differ between two readings without being a leak, per figure. Wine's own caches
# (a font, a brush the first save dialog leaves in the process, a handle of its clipboard
# bookkeeping) settle within the first few activations, after the first reading; a figure
# that grows with the activations grows by far more.
declare -A NOISE=([gdi]=8 [user]=8 [handles]=8 [threads]=0 [windows]=2 [fds]=4)

flat_after_100_activations() {
  soak_start
  soak_run 1 1 >/dev/null
  local -a first last
  read -r -a first < <(soak_figures)
  say "after 1:   ${SOAK_FIGURES[*]} = ${first[*]}"
  local ms
  ms="$(soak_run 2 100)"
  read -r -a last < <(soak_figures)
  say "after 100: ${SOAK_FIGURES[*]} = ${last[*]} (99 activations in ${ms} ms)"
  local i name grew broken=""
  for i in "${!SOAK_FIGURES[@]}"; do
    name="${SOAK_FIGURES[$i]}"
    [ -n "${NOISE[$name]+set}" ] || continue
    # -1: the system does not keep this figure for another process; nothing to compare.
    [ "${first[$i]}" -ge 0 ] && [ "${last[$i]}" -ge 0 ] || { say "$name: not known here"; continue; }
    grew=$((last[i] - first[i]))
    [ "$grew" -le "${NOISE[$name]}" ] || broken+=" $name +$grew (from ${first[$i]});"
  done
  [ -z "$broken" ] || fail "grew over 99 activations:$broken"
  expect "the program still runs" app_alive
}

e2e_setup 640x480x24
run_case "soak: 100 activations with hides leave GDI, USER objects, handles and threads flat" flat_after_100_activations
e2e_finish
