# shellcheck shell=bash
# What the scripts that build a third-party library from Debian's source package for the
# Windows targets share (scripts/fetch-libjpeg, scripts/fetch-libdeflate). Source it after
# setting DEPS (the library's folder under .deps/) and LOG_NAME (the script's name):
#
#   deps_lock                          one build at a time in $DEPS
#   install_packages PKG...            installs what is missing
#   source_tarball PACKAGE             the newest downloaded PACKAGE_*.orig.tar.gz, or nothing
#   download_source PACKAGE            apt-get source into $DEPS/download; prints the tarball
#   unpacked_source TARBALL MARKER     unpacks once into $DEPS/src/<name>; prints the folder
#
# Third-party source is fetched and built at set-up time into the ignored .deps/ folder; it is
# never committed to the project.

log() { printf '%s: %s\n' "$LOG_NAME" "$*" >&2; }

SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

# Two builds started together (scripts/build for win64 and win32 in parallel) would otherwise
# unpack and compile into the same folders at once.
deps_lock() {
  mkdir -p "$DEPS"
  exec 9>"$DEPS/.lock"
  flock 9
}

source_tarball() {
  compgen -G "$DEPS/download/$1_*.orig.tar.[gx]z" | sort -V | tail -n 1 || true
}

sources_have_deb_src() {
  grep -rqsE '^[[:space:]]*(Types:.*\bdeb-src\b|deb-src[[:space:]])' \
    /etc/apt/sources.list /etc/apt/sources.list.d/
}

# Source packages come from the same mirrors the machine already uses for binary packages: the
# entries are copied from its own sources file with the type changed, so no host is named here.
enable_source_packages() {
  sources_have_deb_src && return 0
  local own="/etc/apt/sources.list.d/debian.sources"
  if [ -f "$own" ]; then
    log "enabling source packages from $own"
    sed -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$own" |
      $SUDO tee /etc/apt/sources.list.d/vps-deb-src.sources >/dev/null
  elif grep -qsE '^deb[[:space:]]' /etc/apt/sources.list; then
    log "enabling source packages from /etc/apt/sources.list"
    sed -nE 's/^deb([[:space:]])/deb-src\1/p' /etc/apt/sources.list |
      $SUDO tee /etc/apt/sources.list.d/vps-deb-src.list >/dev/null
  else
    log "no Debian sources file to derive source-package entries from"
    return 1
  fi
  $SUDO apt-get update -qq
}

install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

download_source() {
  local package="$1" tarball
  enable_source_packages
  mkdir -p "$DEPS/download"
  # apt verifies the files against the signed index; root's download runs unsandboxed, which
  # apt only notes.
  (cd "$DEPS/download" && apt-get source --download-only -qq "$package" 2>&1 |
     grep -v 'Download is performed unsandboxed' >&2 || true)
  tarball="$(source_tarball "$package")"
  if [ -z "$tarball" ]; then
    log "apt-get source brought no ${package}_*.orig.tar.gz or .xz into $DEPS/download"
    return 1
  fi
  echo "$tarball"
}

# MARKER is a file of the source tree that shows a finished unpacking.
unpacked_source() {
  local tarball="$1" marker="$2" name source_dir
  name="$(basename "$tarball")"
  source_dir="$DEPS/src/${name%.orig.tar.*}"
  if [ ! -f "$source_dir/$marker" ]; then
    log "unpacking $name"
    rm -rf "$source_dir"
    mkdir -p "$source_dir"
    tar -xf "$tarball" -C "$source_dir" --strip-components=1
  fi
  echo "$source_dir"
}
