# shellcheck shell=bash
# What scripts/install-deps, scripts/web and scripts/windows share: installing the Debian
# packages they need, and compiling SDL2, SDL2_ttf, SDL2_mixer and FreeType from Debian's own
# source packages for a tool chain into a cache outside the clone. Sourced, not run:
#
#   source scripts/lib.sh
#   install_missing_packages announce cmake make ...   # announce: the caller's, given the names
#   cache="$(library_cache_root vorlask-web)/$(library_cache_key "emscripten-$em_version")"
#   library_cmake=(emcmake cmake) ...                   # the tool chain: see library_build
#   library_build "$cache"                              # the libraries in $cache/prefix
#
# The caller defines say() for the libraries' messages. Sourcing runs nothing but id.

# apt-get and the deb-src entry need root.
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# ---- Packages ----

# install_missing_packages [--any-npm] ANNOUNCE PACKAGE...
# Installs those of the Debian packages named that are not installed yet, after calling the
# caller's command ANNOUNCE with their names; does nothing when every one is there. apt waits
# for a package lock that another apt holds rather than failing. With --any-npm, an npm on the
# PATH counts as the package npm: it may come with a node that is not Debian's, and any npm
# will do.
install_missing_packages() {
  local any_npm=0
  if [ "$1" = --any-npm ]; then
    any_npm=1
    shift
  fi
  local announce="$1" p missing=()
  shift
  for p in "$@"; do
    if [ "$p" = npm ] && [ "$any_npm" = 1 ] && command -v npm >/dev/null; then continue; fi
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  "$announce" "${missing[@]}"
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    --no-install-recommends "${missing[@]}"
}

# ---- The libraries' cache ----

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

# ---- The libraries' sources ----

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

# ---- The libraries, built ----

# The tool chain, which the caller sets before library_build:
#   library_cmake             the command that runs cmake for it, e.g. (emcmake cmake)
#   library_cmake_options     its options for SDL2 and FreeType: toolchain file, build type, flags
#   library_sdl_options       SDL's own options beyond a static library without its tests
#   library_freetype_modules  the FreeType modules to register, as FT_USE_MODULE's arguments
#                             (empty: all that FreeType's build has)
#   library_cc                the C compiler and its flags for SDL2_ttf and SDL2_mixer
#   library_ar                the archiver
#   library_licences          the folder that gets each library's licence (empty: none)
library_cmake=() library_cmake_options=() library_sdl_options=() library_freetype_modules=()
library_cc=() library_ar=() library_licences=""

# Configures, builds and installs the CMake project in $1 into library_build's prefix, with its
# log and build folder named $2 in library_build's work folder, and the further options given.
library_cmake_project() {
  local src="$1" name="$2" log="$work/$2.log"
  shift 2
  "${library_cmake[@]}" -S "$src" -B "$work/$name-build" "${library_cmake_options[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
  cmake --build "$work/$name-build" -j"$jobs" >>"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
  cmake --install "$work/$name-build" >>"$log" 2>&1
}

# library_build CACHE
# Builds the four libraries with the tool chain above into CACHE/prefix, fetching and compiling
# them in CACHE/src (removed afterwards, so that a flag may name it), then marks the cache
# complete.
library_build() {
  local cache="$1"
  local prefix="$cache/prefix" work="$cache/src" jobs
  rm -rf "$prefix"
  mkdir -p "$prefix/include/SDL2" "$prefix/lib"
  library_sources_fetch "$work"
  local sdl="$library_sdl" ttf="$library_ttf" mixer="$library_mixer" ft="$library_freetype"
  jobs="$(nproc)"

  say "SDL2 ($(basename "$sdl"))"
  library_cmake_project "$sdl" sdl -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    "${library_sdl_options[@]}"

  say "FreeType ($(basename "$ft"))"
  local ft_options=()
  if [ ${#library_freetype_modules[@]} -gt 0 ]; then
    # FreeType reads its list of modules from the header that this macro names.
    printf 'FT_USE_MODULE( %s )\n' "${library_freetype_modules[@]}" >"$work/ftmodule.h"
    ft_options=(-DCMAKE_C_FLAGS="-DFT_CONFIG_MODULES_H='\"$work/ftmodule.h\"'")
  fi
  library_cmake_project "$ft" ft "${ft_options[@]}" -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

  say "SDL2_ttf ($(basename "$ttf"))"
  "${library_cc[@]}" -c "$ttf/SDL_ttf.c" -o "$work/SDL_ttf.o" -I"$prefix/include/SDL2" \
    -I"$prefix/include/freetype2"
  "${library_ar[@]}" rcs "$prefix/lib/libSDL2_ttf.a" "$work/SDL_ttf.o"
  cp "$ttf/SDL_ttf.h" "$prefix/include/SDL2/"

  say "SDL2_mixer ($(basename "$mixer")) with its own MIDI player"
  mkdir -p "$work/mixer-obj"
  local src obj objs=()
  for src in "$mixer"/src/*.c "$mixer"/src/codecs/*.c "$mixer"/src/codecs/timidity/*.c; do
    obj="$work/mixer-obj/$(basename "$(dirname "$src")")_$(basename "$src" .c).o"
    "${library_cc[@]}" -c "$src" -o "$obj" -DMUSIC_MID_TIMIDITY -I"$mixer/include" -I"$mixer/src" \
      -I"$mixer/src/codecs" -I"$prefix/include/SDL2" &
    objs+=("$obj")
    # Two compilers at a time per core is enough to keep them busy.
    while [ "$(jobs -rp | wc -l)" -ge $((jobs * 2)) ]; do wait -n; done
  done
  wait
  "${library_ar[@]}" rcs "$prefix/lib/libSDL2_mixer.a" "${objs[@]}"
  cp "$mixer/include/SDL_mixer.h" "$prefix/include/SDL2/"

  if [ -n "$library_licences" ]; then
    # What a folder that ships the game must carry for each library linked into it.
    mkdir -p "$library_licences"
    cp "$sdl/LICENSE.txt" "$library_licences/SDL2.txt"
    cp "$ttf/LICENSE.txt" "$library_licences/SDL2_ttf.txt"
    cp "$mixer/LICENSE.txt" "$library_licences/SDL2_mixer.txt"
    # Timidity's author lets each user choose the GPL, the LGPL or the Artistic License (its
    # README says so at the top); SDL_mixer ships the last.
    { sed -n '/^ *From http/,/^---/p' "$mixer/src/codecs/timidity/README"
      echo; cat "$mixer/src/codecs/timidity/COPYING"; } >"$library_licences/SDL2_mixer-Timidity.txt"
    cp "$ft/docs/FTL.TXT" "$library_licences/FreeType.txt"
  fi

  rm -rf "$work"
  touch "$cache/complete"
}
