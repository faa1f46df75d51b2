#!/usr/bin/env bash
# Installs what is needed, builds the program, prepares a data directory and starts the program.
#   scripts/run.sh [data-folder]     (default: run-data in the repository)
# The data directory is the folder of the executable, so the built program is copied into it
# together with the delivered documents. A new data directory gets the first administrator
# password TAVIRO; an existing Admin.dat is never replaced.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
data="${1:-$root/run-data}"

"$root/scripts/install-debian-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIRO_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target taviro taviro-admin

mkdir -p "$data"
cp "$build/app/taviro" "$build/app/taviro-admin" "$data/"
# The delivered documents: an administrator's own edits of them are kept.
cp -n "$root"/data/* "$data/" 2>/dev/null || true
if [ ! -f "$data/Admin.dat" ]; then
    echo "TAVIRO" | "$data/taviro-admin" set-admin-password
    echo "Utworzono Admin.dat: pierwsze hasło administratora to TAVIRO — zmień je po pierwszym logowaniu."
fi
exec "$data/taviro"
