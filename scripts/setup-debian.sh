#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
    libcurl4-openssl-dev libssl-dev zlib1g-dev
    libxlsxwriter-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev libcpp-httplib-dev
    fonts-dejavu-core xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "setup: installing ${missing[*]} needs root; run this script as root or install sudo" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
