#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test. Safe to run again:
# it does nothing when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    libogre-1.12-dev libois-dev libtinyxml-dev cimg-dev libsdl2-dev libx11-dev libjpeg-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xdotool x11-utils imagemagick openbox wmctrl python3 clang-format
    clang libclang-rt-14-dev
    fonts-dejavu-core
    libpng-dev dpkg-dev file desktop-file-utils appstream man-db groff-base
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
