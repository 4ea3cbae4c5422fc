#!/usr/bin/env bash
# Installs the Debian packages the project needs; skips what is already there.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config clang clang-format clang-tidy libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6 qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev sqlite3 libxlsxwriter-dev python3-openpyxl
    fonts-ipafont-gothic poppler-utils xvfb xauth
    at-spi2-core dbus-daemon python3-pyatspi gir1.2-atspi-2.0
    dpkg-dev desktop-file-utils appstream lintian
    cups printer-driver-cups-pdf
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
