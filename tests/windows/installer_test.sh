#!/usr/bin/env bash
# The installer in a fresh Wine prefix, as a person without administrator rights would run it,
# but silently (/S): the game lands in the person's own programs folder with a Start-menu entry
# and an entry in Windows' list of apps (name, version, publisher, icon, uninstaller); the
# installed game starts and shows its board; the silent uninstaller leaves nothing behind. The
# zip beside it unpacks to the same read-me, and every text in either has Windows' line ends.
# Usage: installer_test.sh vorlask-<version>-windows-x64-setup.exe
setup="$(realpath "$1")"
source "$(dirname "$0")/../e2e/lib.sh" "$1"

export WINEPREFIX="$E2E_TMP/prefix"
# shellcheck source=tests/windows/wine.sh
source "$(dirname "$0")/wine.sh"
# Wine's server keeps its socket in a folder of its own under TMPDIR, which it leaves behind:
# in the test's folder, it goes with the prefix.
export TMPDIR="$E2E_TMP"
# Wine's desktop belongs to the display its first program starts on: the game's, from the first.
e2e_start_x
e2e_log "making a fresh Wine prefix"
timeout 120 wineboot --init >/dev/null 2>&1 || e2e_fail "wineboot failed"
timeout 60 wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
stop_wine() { wineserver -k 2>/dev/null || true; }
trap 'status=$?; stop_wine; set +e; (exit $status); e2e_cleanup' EXIT

user_dir="$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)"
installed="$user_dir/AppData/Local/Programs/Vorlask"
link="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vorlask.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlask'
version="$(basename "$setup" | sed -E 's/^vorlask-(.*)-windows-x64-setup\.exe$/\1/')"

e2e_log "installing"
timeout 120 wine "$setup" /S </dev/null >/dev/null 2>&1 || e2e_fail "the silent install failed"
[ -f "$installed/vorlask.exe" ] || e2e_fail "no vorlask.exe in $installed"
for f in LiberationSans-Bold.ttf timidity.cfg h16.bmp entrtanr.mid LICENCES.txt README.txt \
  licences/SDL2.txt freepats/Tone_000/000_Acoustic_Grand_Piano.pat uninstall.exe; do
  [ -f "$installed/$f" ] || e2e_fail "$f was not installed"
done
zip="${setup%-setup.exe}.zip"
mkdir "$E2E_TMP/zip"
(cd "$E2E_TMP/zip" && cmake -E tar xf "$zip") || e2e_fail "$zip does not unpack"
[ -f "$E2E_TMP/zip/Vorlask/README.txt" ] || e2e_fail "the zip lacks README.txt"
mapfile -d '' texts < <(find "$installed" "$E2E_TMP/zip" \( -name '*.txt' -o -name '*.cfg' \) -print0)
bare="$(grep -lv $'\r$' "${texts[@]}" </dev/null || true)"
[ -z "$bare" ] || e2e_fail "lines end without a carriage return in: $bare"
[ -f "$link" ] || e2e_fail "no Start-menu entry"
entry="$(wine reg query "$key" 2>/dev/null | tr -d '\r')"
for want in "DisplayName    REG_SZ    Vorlask" "DisplayVersion    REG_SZ    $version" \
  "Publisher    REG_SZ    The Vorlask developers" "DisplayIcon    REG_SZ    " "UninstallString    REG_SZ    "; do
  grep -qF "$want" <<<"$entry" || e2e_fail "the list of apps lacks \"$want\": $entry"
done

e2e_log "starting the installed game"
export SDL_AUDIODRIVER=dummy
E2E_STATUS=""
(cd "$E2E_TMP" && exec wine "$installed/vorlask.exe" >"$E2E_STDOUT" 2>"$E2E_STDERR") &
E2E_PID=$!
e2e_wait_ready 60
declare -A expected=([9, 2]=H [9, 4]=H [9, 6]=H [9, 8]=H [7, 4]=W)
e2e_expect_board "the installed game at start-up"
e2e_key Escape
e2e_expect_exit 0 2
e2e_expect_quiet_stderr

e2e_log "uninstalling"
# The uninstaller copies itself away and runs from there, so that it can remove itself; it is
# done when the folder has gone.
timeout 60 wine "$installed/uninstall.exe" /S </dev/null >/dev/null 2>&1 || e2e_fail "the silent uninstall failed"
e2e_poll 300 0.1 test ! -e "$installed" || e2e_fail "the uninstaller left $(find "$installed" | head -n 5)"
[ ! -e "$link" ] || e2e_fail "the Start-menu entry is still there"
! wine reg query "$key" >/dev/null 2>&1 || e2e_fail "the list of apps still has Vorlask"
left="$(find "$WINEPREFIX/drive_c" -iname '*vorlask*' 2>/dev/null | head -n 5)"
[ -z "$left" ] || e2e_fail "the uninstaller left $left"
e2e_log "install, start and uninstall: ok"
