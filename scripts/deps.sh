#!/usr/bin/env bash
# Installs the Debian packages Fernhollow needs to build, run and test,
# skipping the ones already there, so a second run costs nothing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    libsdl2-dev libx11-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libpng-dev libfreetype-dev fonts-dejavu-core
    libgtest-dev libbenchmark-dev
    libcli11-dev libinih-dev
    libsqlite3-dev
    xvfb xauth xdotool
    clang libclang-rt-14-dev
    help2man dpkg-dev file desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
