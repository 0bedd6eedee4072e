#!/bin/sh
# Each folder is one library and one layer. Fails on an include that points from a folder to one
# it may not see, and on a system header outside the folders of the platform it belongs to.
cd "$(dirname "$0")/.." || exit 2

# Each folder and the folders its files may include (besides its own), lowest layer first.
layers='gfx:
game:
checks: gfx
ai: game
ui: ai game checks gfx
platform/sdl: ui ai game checks gfx
platform/posix: platform/sdl ui ai game checks gfx
platform/desktop: platform/sdl ui ai game checks gfx
platform/linux: platform/sdl ui ai game checks gfx
platform/web: platform/sdl ui ai game checks gfx
platform/windows: platform/sdl ui ai game checks gfx'

# The headers of a system or library, and the folders that may include them.
system_headers='SDL[A-Za-z0-9_]*\.h: platform/sdl platform/desktop platform/linux platform/web platform/windows
X11/|SDL_syswm\.h: platform/linux
emscripten[a-z_/]*\.h: platform/web
windows\.h: platform/windows
fcntl\.h|sys/stat\.h|unistd\.h: platform/posix'

out="$(mktemp)" || exit 2
trap 'rm -f "$out"' EXIT
status=0
echo "$layers" | while IFS=: read -r folder allowed; do
  for f in "$folder"/*.h "$folder"/*.cpp; do
    [ -e "$f" ] || continue
    grep -hoE '^#include +"[^"]+"' "$f" | sed -E 's/^#include +"([^"]+)"/\1/' | while read -r inc; do
      target="$(dirname "$inc")"
      [ "$target" = "$folder" ] && continue
      case " $allowed " in
        *" $target "*) ;;
        *) echo "$f includes $inc: $folder may not see $target" ;;
      esac
    done
  done
done >"$out"
echo "$system_headers" | while IFS=: read -r pattern folders; do
  for f in $(grep -rlE "^#include +<($pattern)" gfx game checks ai ui platform); do
    ok=0
    for folder in $folders; do
      [ "$(dirname "$f")" = "$folder" ] && ok=1
    done
    [ $ok = 1 ] || echo "$f includes a header of $pattern, which belongs to $folders only"
  done
done >>"$out"
if [ -s "$out" ]; then
  cat "$out"
  status=1
fi
exit $status
