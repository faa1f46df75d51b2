#!/usr/bin/env bash
# Fails when a C++ source of the repository is not formatted as .clang-format says.
#   scripts/check-format.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-debian-packages.sh" clang-format
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "Formatowanie zgodne z .clang-format."
