#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Gloamery needs to build, run and test, only those missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
    libsqlite3-dev sqlite3 openssl
    libmosquitto-dev mosquitto mosquitto-clients
    libsdl2-dev libsdl2-mixer-dev libasound2-dev libhidapi-dev libudev-dev
    libsndfile1-dev libnova-dev libsoxr-dev sox
    libgtest-dev libgmock-dev libbenchmark-dev liblz4-dev libxcb1-dev
    clang libclang-rt-14-dev clang-format
    xvfb xauth fonts-dejavu-core
    openbox xdotool imagemagick x11-utils x11-xserver-utils
    desktop-file-utils appstream dpkg-dev lintian
    chromium chromium-driver python3-selenium
    dbus-bin dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 trayer
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
