#!/usr/bin/env bash
# Installs into a temporary prefix and checks the launcher, the icons and the
# AppStream metadata as the desktop's own validators see them, and the help
# pages as a browser without network does.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
app_id=example.orienzo.Wireless
test -x "$prefix/bin/orienzo-wireless"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
test -s "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    file "$icon" | grep -q "PNG image data, $size x $size"
done
grep -q "^Icon=$app_id$" "$prefix/share/applications/$app_id.desktop"
for page in index.html ayuda.html acerca-de.html; do
    test -s "$prefix/share/doc/orienzo-wireless/html/$page"
done
bash "$(dirname "$0")/check_help_pages.sh" "$prefix/share/doc/orienzo-wireless/html"
echo "1 passed, 0 failed"
