#!/usr/bin/env bash
# Installs into a temporary prefix and checks the launcher, the icons and the
# AppStream metadata as the desktop's own validators see them, and the help
# pages as a browser without network does.
set -euo pipefail
build_dir=$1
"$(dirname "$0")/../lab/remove-leftovers"
prefix=${TMPDIR:-/tmp}/orienzo-install-$$
mkdir -p "$prefix"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
app_id=example.orienzo.Wireless
test -x "$prefix/bin/orienzo-wireless"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
# A build without a web site has no home page to name; AppStream 1.0 warns of
# that, and the validators before it know no such warning to lower.
validate=(appstreamcli validate --no-net)
if ! grep -q 'type="homepage"' "$metainfo" && [[ $(appstreamcli --version) =~ version:\ ([0-9]+) ]] \
    && [ "${BASH_REMATCH[1]}" -ge 1 ]; then
    validate+=(--override=url-homepage-missing=info)
fi
"${validate[@]}" "$metainfo"
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
