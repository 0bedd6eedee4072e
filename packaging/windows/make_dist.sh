#!/usr/bin/env bash
# Makes the portable zip and the installer from the game's folder, both dated by
# SOURCE_DATE_EPOCH so that the same folder gives the same bytes.
# Usage: make_dist.sh FOLDER DIST VERSION PUBLISHER INSTALLER.nsi ICON WELCOME.bmp HEADER.bmp
set -euo pipefail
folder="$(cd "$1" && pwd)" dist="$2" version="$3" publisher="$4" nsi="$5" icon="$6"
welcome="$7" header="$8"
epoch="${SOURCE_DATE_EPOCH:-$(date +%s)}"
rm -rf "$dist"
mkdir -p "$dist"
dist="$(cd "$dist" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/vorlask-dist.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The same modes whatever the umask of the machine: zip records them.
find "$folder" -type d -exec chmod 755 {} +
find "$folder" -type f -exec chmod 644 {} +
chmod 755 "$folder/vorlask.exe"
find "$folder" -exec touch -h -d "@$epoch" {} +
mapfile -t files < <(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
mapfile -t folders < <(cd "$folder" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r)

# The zip unpacks into a folder of its own. Its entries are in a fixed order, without the
# owner's ids or the extra time stamps, and zip writes their times as UTC clock times.
mkdir -p "$work/zip"
ln -s "$folder" "$work/zip/Vorlask"
(cd "$work/zip" && printf 'Vorlask/%s\n' "${files[@]}" |
  TZ=UTC zip -X -D -9 -q "$dist/vorlask-$version-windows-x64.zip" -@)

# The installer installs exactly these files, and its uninstaller removes exactly these.
{
  last=""
  for f in "${files[@]}"; do
    d="$(dirname "$f")"
    if [ "$d" != "$last" ]; then
      if [ "$d" = . ]; then echo 'SetOutPath "$INSTDIR"'; else echo "SetOutPath \"\$INSTDIR\\${d//\//\\}\""; fi
      last="$d"
    fi
    echo "File \"$folder/$f\""
  done
} >"$work/install.nsh"
{
  for f in "${files[@]}"; do echo "Delete \"\$INSTDIR\\${f//\//\\}\""; done
  for d in "${folders[@]}"; do echo "RMDir \"\$INSTDIR\\${d//\//\\}\""; done
} >"$work/remove.nsh"
makensis -V2 -NOCD -DVERSION="$version" -DPUBLISHER="$publisher" -DFOLDER="$folder" \
  -DICON="$icon" -DWELCOME_BITMAP="$welcome" -DHEADER_BITMAP="$header" \
  -DOUTFILE="$dist/vorlask-$version-windows-x64-setup.exe" \
  -DFILES_TO_INSTALL="$work/install.nsh" -DFILES_TO_REMOVE="$work/remove.nsh" "$nsi" >"$work/nsis.log" ||
  { cat "$work/nsis.log" >&2; exit 1; }
touch -d "@$epoch" "$dist"/*
ls -l "$dist"
