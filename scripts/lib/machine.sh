# shellcheck shell=bash
# What this machine can run, decided once per script and shared by every script that sources it.
#
#   vps_runs_32bit           true when this machine executes 32-bit (i386) programs
#   VPS_NO_32BIT_REASON      why not, for the skip lines ("this machine cannot run 32-bit programs")
#
# Some kernels (WSL 1, hardened or micro-VM kernels) run no i386 program at all: there 32-bit
# Wine cannot start, and with wine32:i386 installed /usr/bin/wine picks the 32-bit loader and
# breaks 64-bit Wine too. The answer comes from running a tiny i386 program, not from the
# kernel's name or configuration, which say nothing certain.
# VPS_NO_32BIT=1 in the environment makes the scripts behave as on such a machine.

VPS_NO_32BIT_REASON="this machine cannot run 32-bit programs"

# Builds and runs a static i386 program that only exits; needs nothing but binutils, so it
# works before any 32-bit library is installed.
_vps_probe_32bit() {
  local dir rc=1
  dir="$(mktemp -d "${TMPDIR:-/tmp}/vps-i386.XXXXXX")" || return 1
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' >"$dir/exit.s"
  if as --32 -o "$dir/exit.o" "$dir/exit.s" 2>/dev/null &&
    ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" 2>/dev/null; then
    "$dir/exit" 2>/dev/null && rc=0
  fi
  rm -rf "$dir"
  return "$rc"
}

vps_runs_32bit() {
  if [ "${VPS_NO_32BIT:-0}" = 1 ]; then
    VPS_NO_32BIT_REASON="this machine cannot run 32-bit programs: VPS_NO_32BIT=1"
    return 1
  fi
  if [ -z "${VPS_RUNS_32BIT:-}" ]; then
    if _vps_probe_32bit; then VPS_RUNS_32BIT=yes; else VPS_RUNS_32BIT=no; fi
    # Child scripts (the test layers, the end-to-end files) take the answer instead of probing.
    export VPS_RUNS_32BIT
  fi
  [ "$VPS_RUNS_32BIT" = yes ]
}

# Where 32-bit Wine is installed on a machine that cannot run it, /usr/bin/wine (and the
# wineboot, winecfg, ... launchers, which call wine-stable) would start the 32-bit loader and
# fail with "Exec format error". A folder first on PATH then sends both names to the 64-bit
# loader, which runs 64-bit programs as on any machine; nothing is removed from the system.
VPS_WINE32_LOADER="${VPS_WINE32_LOADER:-/usr/lib/wine/wine}"
VPS_WINE64_LOADER="${VPS_WINE64_LOADER:-/usr/lib/wine/wine64}"
vps_wine_loader_ensure() {
  [ -x "$VPS_WINE32_LOADER" ] && [ -x "$VPS_WINE64_LOADER" ] || return 0
  vps_runs_32bit && return 0
  local shim="${VPS_ROOT:?}/build/wine64-loader" name
  case ":$PATH:" in *":$shim:"*) return 0 ;; esac
  mkdir -p "$shim"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexport WINELOADER="%s"\nexec "%s" "$@"\n' \
      "$VPS_WINE64_LOADER" "$VPS_WINE64_LOADER" >"$shim/$name"
    chmod +x "$shim/$name"
  done
  export PATH="$shim:$PATH"
}
