# shellcheck shell=bash
# The Wine settings of every test and benchmark of the Windows build; each sets its own
# WINEPREFIX. Sourced.
export WINEARCH=win64 WINEDEBUG=-all
# No .NET or web browser of Wine's own, which it would offer to download; and no menu builder,
# which would copy the installer's Start-menu entry, its icons and Wine's own menus into the
# desktop's menus in the home folder, pointing at a prefix that is gone once the test ends.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
