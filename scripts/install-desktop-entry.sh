#!/usr/bin/env bash
# Puts the program of a data directory into the user's application menu: the desktop entry
# taviro.desktop (from data/desktop, pointing at that data directory) into
# $XDG_DATA_HOME/applications and the program icon in every size drawn into
# $XDG_DATA_HOME/icons/hicolor ($XDG_DATA_HOME defaults to ~/.local/share). Nothing needs root.
#   scripts/install-desktop-entry.sh DATA-DIRECTORY
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "$#" -ne 1 ] || [ ! -d "$1" ]; then
    echo "Użycie: $0 KATALOG-DANYCH" >&2
    exit 64
fi
directory="$(cd "$1" && pwd)"
share="${XDG_DATA_HOME:-$HOME/.local/share}"
for png in "$root"/data/desktop/taviro-*.png; do
    size="${png##*-}"
    size="${size%.png}"
    install -D -m 644 "$png" "$share/icons/hicolor/${size}x${size}/apps/taviro.png"
done
# Exec takes the program quoted (a folder name may hold blanks), with the characters that are
# special inside quotes escaped, and the backslashes doubled once more for the entry's own
# string escapes; "%" is doubled as field codes require.
quoted="$directory/taviro"
quoted="${quoted//\\/\\\\}"
quoted="${quoted//\"/\\\"}"
quoted="${quoted//\`/\\\`}"
quoted="${quoted//\$/\\\$}"
quoted="\"${quoted//\\/\\\\}\""
quoted="${quoted//%/%%}"
folder="${directory//\\/\\\\}"
mkdir -p "$share/applications"
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
    Exec=*) line="Exec=$quoted" ;;
    *) line="${line//@DATA_DIRECTORY@/"$folder"}" ;;
    esac
    printf '%s\n' "$line"
done <"$root/data/desktop/taviro.desktop" >"$share/applications/taviro.desktop.new"
mv -f "$share/applications/taviro.desktop.new" "$share/applications/taviro.desktop"
# The menus of most desktops notice the new entry by themselves; these make sure where present.
if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q "$share/applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null 2>&1 && [ -f "$share/icons/hicolor/index.theme" ]; then
    gtk-update-icon-cache -q -t "$share/icons/hicolor" || true
fi
echo "Zainstalowano skrót programu w menu: $share/applications/taviro.desktop"
