#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Taviro need. Asks apt only
# when something is missing, so a second run is quick.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev qt6-qpa-plugins
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core
    # The printouts ask for ARIAL: Liberation Sans has its metrics. pdftotext and pdftoppm read the
    # PDF files of the print tests back.
    fonts-liberation poppler-utils
)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    echo "Instalacja pakietów: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
