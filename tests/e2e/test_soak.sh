#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2119  # helpers take optional arguments
# 100 activations of the resident program, each with a hide: Copy to Clipboard, Save as a BMP
# and an area selection by turns. What it holds after the first one and after the hundredth
# must be the same: a leak of a GDI object, a window, a kernel handle or a thread per
# activation would show here as growth of 33 or more. Wine 8 keeps no count of GDI and USER
# objects or handles for another process (GetGuiResources and GetProcessHandleCount answer 0),
# so where it does not, the program's windows, its threads and the Wine process's Unix
# descriptors (which its kernel objects mostly are) stand in. (scripts/bench-soak runs 1000.)
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=soak_lib.sh
source "$(dirname "$0")/soak_lib.sh"

# The comparison starts after the first round of all three kinds, not after the first
# activation: the first Save dialog starts Wine's RPC server thread (wine_rpcrt4_ser, COM's,
# for the shell's folder view) and opens four descriptors with it, once per process.
# What may still differ between two readings without being a leak, per figure: Wine's own caches
# (a font, a brush, a handle of its clipboard bookkeeping) settle within the first rounds; a
# figure that grows with the activations grows by 33 or more.
declare -A NOISE=([gdi]=8 [user]=8 [handles]=8 [threads]=0 [windows]=0 [fds]=2 [tasks]=0)

flat_after_100_activations() {
  soak_start
  local -a first base last
  soak_run 1 1 >/dev/null
  read -r -a first < <(soak_figures)
  say "after 1:   ${SOAK_FIGURES[*]} = ${first[*]}"
  soak_run 2 3 >/dev/null
  read -r -a base < <(soak_figures)
  say "after 3:   ${SOAK_FIGURES[*]} = ${base[*]}"
  local ms
  ms="$(soak_run 4 100)"
  read -r -a last < <(soak_figures)
  say "after 100: ${SOAK_FIGURES[*]} = ${last[*]} (97 activations in ${ms} ms)"
  local i name grew broken=""
  for i in "${!SOAK_FIGURES[@]}"; do
    name="${SOAK_FIGURES[$i]}"
    [ -n "${NOISE[$name]+set}" ] || continue
    # -1: the system keeps no such count for another process; nothing to compare.
    [ "${base[$i]}" -ge 0 ] && [ "${last[$i]}" -ge 0 ] || { say "$name: not known here"; continue; }
    grew=$((last[i] - base[i]))
    [ "$grew" -le "${NOISE[$name]}" ] || broken+=" $name +$grew (from ${base[$i]});"
  done
  [ -z "$broken" ] || fail "grew over 97 activations:$broken"
  expect "the program still runs" app_alive
}

e2e_setup 640x480x24
# As on a desktop: without a window manager Wine waits up to two seconds for one at every
# re-show of a hidden window, which would make the activations ten times slower.
vps_wm_start || { echo "not ok - e2e/$E2E_FILE: setup: no window manager"; exit 1; }
run_case "soak: 100 activations with hides leave GDI, USER objects, handles and threads flat" flat_after_100_activations
e2e_finish
