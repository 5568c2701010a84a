#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
    libcurl4-openssl-dev libssl-dev zlib1g-dev
    libxlsxwriter-dev unzip
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev libcpp-httplib-dev tinyproxy openssl
    fonts-dejavu-core xvfb xauth
    locales libc-l10n
    libsqlite3-dev
    gcovr
    # libFuzzer targets (scripts/fuzz.sh)
    clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The C library's error texts in Russian need the ru_RU.UTF-8 locale besides its translations.
has_russian() { locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$'; }
[ ${#missing[@]} -eq 0 ] && has_russian && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "setup: installing ${missing[*]} and the ru_RU.UTF-8 locale needs root; run this script as root or install sudo" >&2
    exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update
    "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
has_russian || "${sudo_cmd[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
