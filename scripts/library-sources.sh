# shellcheck shell=bash
# Shared by scripts/web and scripts/windows, which both compile SDL2, SDL2_ttf, SDL2_mixer and
# FreeType from Debian's own source packages into a cache outside the clone. Sourced, not run:
#
#   source scripts/library-sources.sh
#   cache="$(library_cache_root vorlask-web)/$(library_cache_key "emscripten-$em_version")"
#   library_sources_fetch "$work"     # the unpacked sources in $work; sets library_sdl,
#                                     # library_ttf, library_mixer, library_freetype
#
# The caller defines say() for its messages and sudo (empty when root).

# The version of a package as the archive offers it, installed or not.
library_version_of() {
  apt-cache show --no-all-versions "$1" 2>/dev/null | sed -n 's/^Version: //p' | head -n 1
}

# The cache is keyed by the versions of the libraries' Debian packages and of the compiler that
# the caller names, so that an update of any of them builds them afresh.
library_cache_key() {
  local key
  key="sdl2-$(library_version_of libsdl2-dev)_ttf-$(library_version_of libsdl2-ttf-dev)"
  key+="_mixer-$(library_version_of libsdl2-mixer-dev)_freetype-$(library_version_of libfreetype-dev)"
  key+="_$1"
  echo "${key//[^A-Za-z0-9._+-]/_}"
}

# ${XDG_CACHE_HOME:-~/.cache}/<name>, unless the caller's own variable names another folder.
library_cache_root() {
  echo "${XDG_CACHE_HOME:-$HOME/.cache}/$1"
}

# apt-get source needs a deb-src entry, which a fresh Debian 12 does not have.
library_sources_enable() {
  if apt-get source --print-uris -qq libsdl2 >/dev/null 2>&1 &&
    [ -n "$(apt-get source --print-uris -qq libsdl2 2>/dev/null)" ]; then
    return 0
  fi
  say "SDL2, SDL2_ttf, SDL2_mixer and FreeType are compiled from Debian's source packages;"
  say "adding a deb-src entry for bookworm: /etc/apt/sources.list.d/vorlask-deb-src.sources"
  $sudo tee /etc/apt/sources.list.d/vorlask-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
}

# Downloads and unpacks the four source packages into the folder $1 (made empty first).
library_sources_fetch() {
  local work="$1"
  library_sources_enable
  rm -rf "$work"
  mkdir -p "$work"
  (cd "$work" && apt-get source -qq --download-only libsdl2 libsdl2-ttf libsdl2-mixer freetype \
    >download.log 2>&1) || {
    cat "$work/download.log" >&2
    say "the source packages cannot be downloaded"
    exit 1
  }
  (cd "$work" &&
    for dsc in ./*.dsc; do
      # apt has checked the files against the archive's signed index; dpkg-source's own
      # warning that it lacks the uploaders' keys is only noise here.
      dpkg-source -x "$dsc" >unpack.log 2>&1 || { cat unpack.log >&2; exit 1; }
    done)
  library_sdl="$(find "$work" -maxdepth 1 -type d -name 'libsdl2-2*' | head -n 1)"
  library_ttf="$(find "$work" -maxdepth 1 -type d -name 'libsdl2-ttf-*' | head -n 1)"
  library_mixer="$(find "$work" -maxdepth 1 -type d -name 'libsdl2-mixer-*' | head -n 1)"
  library_freetype="$(find "$work" -maxdepth 1 -type d -name 'freetype-*' | head -n 1)"
}
