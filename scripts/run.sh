#!/usr/bin/env bash
# Installs what is needed, builds the program, prepares a data directory, puts the program into the
# user's application menu and starts it.
#   scripts/run.sh [data-folder]     (default: run-data in the repository)
# The data directory is the folder of the executable, so the built program is copied into it
# together with the delivered documents. A new data directory gets the first administrator
# password TAVIRO; an existing Admin.dat is never replaced. The desktop entry (taviro.desktop) and
# the program icon go to the user's own folders ($XDG_DATA_HOME, by default ~/.local/share), so the
# menu, the launcher and the task bar show the program with its icon; nothing needs root for that.
# TAVIRO_BUILD_DIR chooses the build folder (default: build in the repository).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TAVIRO_BUILD_DIR:-$root/build}"
data="${1:-$root/run-data}"

"$root/scripts/install-debian-packages.sh"
if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja # a build folder of its own keeps its settings
else
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIRO_BUILD_TESTS=OFF
fi
cmake --build "$build" --target taviro taviro-admin

mkdir -p "$data"
data="$(cd "$data" && pwd)"
cp "$build/app/taviro" "$build/app/taviro-admin" "$data/"
# The delivered documents (files only: the desktop entry is installed below): an administrator's own
# edits of them are kept.
find "$root/data" -maxdepth 1 -type f -exec cp -n {} "$data/" \;
if [ ! -f "$data/Admin.dat" ]; then
    echo "TAVIRO" | "$data/taviro-admin" set-admin-password
    echo "Utworzono Admin.dat: pierwsze hasło administratora to TAVIRO — zmień je po pierwszym logowaniu."
fi
"$root/scripts/install-desktop-entry.sh" "$data"
exec "$data/taviro"
