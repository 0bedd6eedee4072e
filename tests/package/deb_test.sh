#!/usr/bin/env bash
# The Debian package as a distribution and a player get it. From the files of this source tree
# (committed or not, without what git ignores) it builds the package twice, in two unrelated
# folders with different umasks and time zones, and requires byte-identical results; lints the
# package with lintian, the manual page with man, the metainfo with appstreamcli (pedantic) and
# the menu entry with desktop-file-validate; checks what the package holds and who owns it; then
# unpacks it into a scratch root, starts the game from a folder without data under Xvfb and
# reads the starting position off the screen.
#
#   tests/package/deb_test.sh
#
# Needs dpkg-buildpackage, debhelper, lintian, appstream, desktop-file-utils, man-db,
# librsvg2-bin and the end-to-end tools (scripts/install-deps installs them all).
set -euo pipefail
set -E
trap '[[ $BASH_COMMAND == exit* ]] || echo "[deb_test] FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
name="deb_test"
t0="$(date +%s)"
log() { echo "[$name $(($(date +%s) - t0)) s] $*" >&2; }
fail() {
  log "FAIL: $*"
  exit 1
}

for tool in dpkg-buildpackage dh lintian appstreamcli desktop-file-validate man rsvg-convert \
  git Xvfb xdotool convert; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

work="$(mktemp -d "${TMPDIR:-/tmp}/vorlask-deb.XXXXXX")"
remove_work() { rm -rf "$work"; }
trap remove_work EXIT

# ---- Two builds ----
# The package's dates are those of the last commit, whatever the day of the build.
SOURCE_DATE_EPOCH="$(git -C "$source_dir" log -1 --format=%ct)"
export SOURCE_DATE_EPOCH
jobs="$(nproc)"

# build FOLDER UMASK TZ: a copy of the source tree at FOLDER, built there; the packages land in
# FOLDER's parent.
build() {
  local folder="$1" mask="$2" zone="$3"
  (
    umask "$mask"
    mkdir -p "$folder"
    cd "$source_dir"
    git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' f; do
        [ -e "$f" ] && printf '%s\0' "$f"
      done | xargs -0 cp --parents -P -t "$folder"
    cd "$folder"
    TZ="$zone" DEB_BUILD_OPTIONS="parallel=$jobs" dpkg-buildpackage -us -uc -b \
      >"$folder/../build.log" 2>&1
  ) || {
    tail -n 40 "$folder/../build.log" >&2
    fail "dpkg-buildpackage failed in $folder"
  }
  log "built in $folder"
}
build "$work/one/vorlask" 022 UTC
build "$work/two/somewhere/else/vorlask-src" 077 Pacific/Auckland

# ---- Reproducible ----
mapfile -t debs < <(cd "$work/one" && ls -- *.deb)
[ "${#debs[@]}" -ge 1 ] || fail "the build made no .deb"
[ "$(cd "$work/one" && ls -- *.deb)" = "$(cd "$work/two/somewhere/else" && ls -- *.deb)" ] ||
  fail "the two builds made different sets of packages"
for d in "${debs[@]}"; do
  cmp "$work/one/$d" "$work/two/somewhere/else/$d" || fail "$d differs between the two builds"
done
log "both builds give the same bytes: ${debs[*]}"
deb="$work/one/$(cd "$work/one" && ls vorlask_*_*.deb)"

# ---- lintian ----
changes="$(ls "$work"/one/vorlask_*.changes)"
lintian --fail-on error,warning --display-level '>=warning' "$changes" >"$work/lintian.log" 2>&1 ||
  {
    cat "$work/lintian.log" >&2
    fail "lintian reports errors or warnings"
  }
# Any override must say why, in a comment line right above it.
for overrides in "$source_dir"/debian/*lintian-overrides "$source_dir"/debian/source/lintian-overrides; do
  [ -f "$overrides" ] || continue
  awk '!/^#/ && NF && prev !~ /^#/ { bad = 1 } { prev = $0 } END { exit bad }' "$overrides" ||
    fail "$overrides has an override without a comment above it"
done

# ---- What the package says about itself ----
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vorlask ] || fail "package name is $(field Package)"
[ "$(field Section)" = games ] || fail "section is $(field Section)"
depends="$(field Depends)"
for p in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 fonts-liberation2; do
  grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done
recommends="$(field Recommends)"
for p in timgm6mb-soundfont sf2-soundfont-gm; do
  grep -qE "(^|[ |,])$p( |,|$)" <<<"$recommends" || fail "Recommends lacks $p: $recommends"
done

# ---- What it holds ----
dpkg-deb -c "$deb" >"$work/contents"
not_root="$(awk '$2 != "root/root"' "$work/contents")"
[ -z "$not_root" ] || fail "files not owned by root: $not_root"
# The dates are the last commit's.
commit_day="$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M')"
other_dates="$(awk -v d="$commit_day" '$4 " " $5 != d' "$work/contents")"
[ -z "$other_dates" ] || fail "files not dated $commit_day: $other_dates"
root="$work/root"
dpkg-deb -x "$deb" "$root"
expect_file() { [ -f "$root/$1" ] || fail "the package lacks /$1"; }
expect_file usr/games/vorlask
[ -x "$root/usr/games/vorlask" ] || fail "/usr/games/vorlask is not executable"
for f in h16.bmp h11.bmp h10.bmp h9.bmp h12.bmp h13.bmp entrtanr.mid hellomyb.mid maplerag.mid; do
  expect_file "usr/share/games/vorlask/$f"
done
for f in applications/vorlask.desktop metainfo/io.github.vorlask.Vorlask.metainfo.xml \
  man/man6/vorlask.6.gz doc/vorlask/copyright doc/vorlask/changelog.gz \
  icons/hicolor/64x64/apps/vorlask.png icons/hicolor/128x128/apps/vorlask.png \
  icons/hicolor/256x256/apps/vorlask.png icons/hicolor/scalable/apps/vorlask.svg \
  icons/hicolor/symbolic/apps/vorlask-symbolic.svg; do
  expect_file "usr/share/$f"
done
stray="$(cd "$root" && find . -type f | grep -vE '^\./usr/(games/vorlask|share/(games/vorlask|applications|metainfo|man/man6|doc/vorlask|icons/hicolor)/)' || true)"
[ -z "$stray" ] || fail "unexpected files in the package: $stray"
# Nothing built may remember where or by whom: no build folder in any file.
if grep -rlaF -e "$work" -e "obj-x86_64" "$root" >"$work/paths" 2>/dev/null; then
  fail "files that name the build folder: $(cat "$work/paths")"
fi

# ---- Manual page, metainfo, menu entry ----
man_warnings="$(man --warnings -l "$root/usr/share/man/man6/vorlask.6.gz" 2>&1 >/dev/null)"
[ -z "$man_warnings" ] || fail "the manual page has warnings: $man_warnings"
for section in NAME SYNOPSIS DESCRIPTION KEYS MOUSE FILES ENVIRONMENT "EXIT STATUS"; do
  zgrep -q "^\.SH \"\?$section\"\?$" "$root/usr/share/man/man6/vorlask.6.gz" ||
    fail "the manual page has no $section section"
done
metainfo="$root/usr/share/metainfo/io.github.vorlask.Vorlask.metainfo.xml"
appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream.log" 2>&1 || {
  cat "$work/appstream.log" >&2
  fail "appstreamcli rejects the metainfo"
}
if grep -E '^[EW]:' "$work/appstream.log" >&2; then fail "appstreamcli warns about the metainfo"; fi
desktop="$root/usr/share/applications/vorlask.desktop"
desktop_log="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $desktop_log"
[ -z "$desktop_log" ] || fail "desktop-file-validate: $desktop_log"
grep -qx 'Exec=vorlask' "$desktop" || fail "the desktop entry does not start vorlask"
grep -qx 'Icon=vorlask' "$desktop" || fail "the desktop entry's icon is not vorlask"
grep -q '<launchable type="desktop-id">vorlask.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch vorlask.desktop"

# ---- Icons ----
# The scalable icon is the same picture as the bitmap ones.
icons="$root/usr/share/icons/hicolor"
rsvg-convert -w 128 -h 128 "$icons/scalable/apps/vorlask.svg" -o "$work/svg-128.png"
# compare exits with 1 when the pictures differ at all; its measure says by how much.
rmse="$( (compare -metric RMSE "$work/svg-128.png" "$icons/128x128/apps/vorlask.png" null: 2>&1 ||
  true) | sed -n 's/.*(\(.*\)).*/\1/p')"
awk -v e="$rmse" 'BEGIN { exit !(e != "" && e < 0.03) }' ||
  fail "the scalable icon drawn at 128 pixels differs from the 128-pixel icon (RMSE $rmse)"
# The symbolic one is a single colour that a panel can replace, with nothing transparent-only.
rsvg-convert -w 16 -h 16 "$icons/symbolic/apps/vorlask-symbolic.svg" -o "$work/symbolic.png"
colours="$(grep -oE '#[0-9a-fA-F]{6}' "$icons/symbolic/apps/vorlask-symbolic.svg" | sort -u | wc -l)"
[ "$colours" = 1 ] || fail "the symbolic icon uses $colours colours"
log "package contents, lintian, manual page, metainfo, menu entry and icons pass"

# ---- The unpacked game, started from a folder without data ----
source "$source_dir/tests/e2e/lib.sh" "$root/usr/games/vorlask"
trap 'status=$?; remove_work; (exit $status); e2e_cleanup' EXIT
[ ! -e /usr/share/games/vorlask/h16.bmp ] ||
  e2e_log "note: /usr/share/games/vorlask holds an installed copy; the run below may read it instead"
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere"
e2e_start_x
e2e_start_game "$elsewhere" "$root/usr/games/vorlask"
e2e_wait_ready
declare -A expected=([9, 2]=H [9, 4]=H [9, 6]=H [9, 8]=H [7, 4]=W)
e2e_expect_board "the starting position"
e2e_key Escape
e2e_expect_exit 0
e2e_log "package $(basename "$deb") passes"
