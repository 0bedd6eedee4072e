#!/usr/bin/env bash
# The Debian package as a player gets it: built with CPack from this build, unpacked into a
# scratch root, its menu entry and software-centre description validated, and the unpacked
# program started from an unrelated folder. It must find its data beside its bin folder and
# show the starting position; Esc closes it.
source "$(dirname "$0")/lib.sh" "$1"

build_dir="$(dirname "$E2E_BIN")"
[ -f "$build_dir/CPackConfig.cmake" ] || e2e_fail "no CPackConfig.cmake in $build_dir"
for tool in cpack dpkg-deb desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || e2e_fail "$tool is missing (scripts/install-deps installs it)"
done

# ---- Build and unpack ----
cpack --config "$build_dir/CPackConfig.cmake" -B "$E2E_TMP/package" >"$E2E_TMP/cpack.log" 2>&1 ||
  { cat "$E2E_TMP/cpack.log" >&2; e2e_fail "cpack failed"; }
debs=("$E2E_TMP"/package/vorlask_*.deb)
[ -f "${debs[0]}" ] || e2e_fail "cpack made no vorlask_*.deb"
deb="${debs[0]}"
root="$E2E_TMP/root"
dpkg-deb -x "$deb" "$root"

# ---- What the package says about itself ----
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vorlask ] || e2e_fail "package name is $(field Package)"
[ "$(field Section)" = games ] || e2e_fail "section is $(field Section)"
depends="$(field Depends)"
for lib in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 fonts-liberation2; do
  grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || e2e_fail "Depends lacks $lib: $depends"
done
grep -q timgm6mb-soundfont <<<"$(field Recommends)" || e2e_fail "does not recommend the sound font"

# ---- Where the files go ----
expect_file() { [ -f "$root/$1" ] || e2e_fail "the package lacks /$1"; }
expect_file usr/bin/vorlask
[ -x "$root/usr/bin/vorlask" ] || e2e_fail "/usr/bin/vorlask is not executable"
for f in h16.bmp h11.bmp h10.bmp h9.bmp h12.bmp h13.bmp entrtanr.mid hellomyb.mid maplerag.mid; do
  expect_file "usr/share/vorlask/$f"
done
expect_file usr/share/applications/vorlask.desktop
expect_file usr/share/metainfo/io.github.vorlask.Vorlask.metainfo.xml
for n in 64 128 256; do
  if [ -f "$E2E_SOURCE_DIR/data/icons/vorlask-$n.png" ]; then
    expect_file "usr/share/icons/hicolor/${n}x$n/apps/vorlask.png"
  fi
done
# No stray files: nothing outside /usr, nothing of the build.
stray="$(cd "$root" && find . -type f | grep -vE '^\./usr/(bin/vorlask|share/(vorlask|applications|metainfo|icons)/)' || true)"
[ -z "$stray" ] || e2e_fail "unexpected files in the package: $stray"

# ---- Desktop entry and metainfo ----
desktop="$root/usr/share/applications/vorlask.desktop"
desktop-file-validate "$desktop" || e2e_fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Exec=vorlask' "$desktop" || e2e_fail "the desktop entry does not start vorlask"
grep -qx 'Icon=vorlask' "$desktop" || e2e_fail "the desktop entry's icon is not vorlask"
grep -qx 'Categories=Game;BoardGame;' "$desktop" || e2e_fail "the desktop entry's categories"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/io.github.vorlask.Vorlask.metainfo.xml" \
  >"$E2E_TMP/appstream.log" 2>&1 ||
  { cat "$E2E_TMP/appstream.log" >&2; e2e_fail "appstreamcli rejects the metainfo"; }
grep -q '<launchable type="desktop-id">vorlask.desktop</launchable>' \
  "$root/usr/share/metainfo/io.github.vorlask.Vorlask.metainfo.xml" ||
  e2e_fail "the metainfo does not launch vorlask.desktop"

# ---- The unpacked program, started from a folder without data ----
# The program also looks in the data folder of the prefix it was built for.
prefix="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build_dir/CMakeCache.txt")"
installed_dir="${prefix:-/usr/local}/share/vorlask"
if [ -e "$installed_dir/h16.bmp" ]; then
  e2e_log "note: $installed_dir holds an installed copy; the run below may read it instead"
fi
elsewhere="$E2E_TMP/elsewhere"
mkdir -p "$elsewhere"
e2e_start_x
e2e_start_game "$elsewhere" "$root/usr/bin/vorlask"
e2e_wait_ready
e2e_shot
# The starting position: four hunters on the bottom row, the wolf on (7, 4), an empty square.
piece_pixel() { e2e_pixel $((54 * $2 - 86 + 26)) $((54 * $1 - 85 + 12)); }
for c in 2 4 6 8; do
  [ "$(piece_pixel 9 "$c")" = "198,198,198" ] || e2e_fail "no hunter on (9, $c): $(piece_pixel 9 "$c")"
done
[ "$(piece_pixel 7 4)" = "132,132,255" ] || e2e_fail "no wolf on (7, 4): $(piece_pixel 7 4)"
[ "$(piece_pixel 5 4)" = "0,0,0" ] || e2e_fail "square (5, 4) is not empty: $(piece_pixel 5 4)"
e2e_key Escape
e2e_expect_exit 0
e2e_log "package $(basename "$deb") passes"
