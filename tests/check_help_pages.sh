#!/usr/bin/env bash
# Checks the help pages in a folder as a browser without network meets them:
# valid HTML to tidy, no scripts, nothing loaded from elsewhere, and every
# link, picture and style sheet, with its #place, found in the folder.
#
#   tests/check_help_pages.sh <folder>
set -euo pipefail
cd "$1"
failed=0
fail() { echo "$page: $*"; failed=1; }

# What a page refers to: its href and src values, and url() in a style sheet.
references() {
    grep -o -E '(href|src)="[^"]*"|url\([^)]*\)' "$1" | sed -E 's/^(href|src)="//; s/"$//; s/^url\(//; s/\)$//'
}

for page in *.html estilo.css; do
    if [ "$page" != estilo.css ]; then
        tidy -errors -quiet "$page" >/dev/null 2>&1 || fail "tidy: $(tidy -quiet -o /dev/null "$page" 2>&1)"
        grep -q -i '<script' "$page" && fail "has a script"
        grep -q 'src="orienzo.svg"' "$page" || fail "does not show the program's icon"
    fi
    while read -r reference; do
        [ -n "$reference" ] || continue
        case "$reference" in
        *:* | //*) fail "refers elsewhere: $reference"; continue ;;
        esac
        target=${reference%%#*}
        [ -n "$target" ] || target=$page
        [ -f "$target" ] || { fail "broken link: $reference"; continue; }
        place=${reference#"$target"}
        place=${place#\#}
        if [ "$reference" != "${reference%%#*}" ] && ! grep -q "id=\"$place\"" "$target"; then
            fail "no place $place in $target"
        fi
    done < <(references "$page")
done
[ "$failed" -eq 0 ]
