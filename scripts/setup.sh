#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

# clang-14 and its runtime libraries build the fuzz targets (libFuzzer); valgrind runs the
# memory check; the desktop and packaging tools check the installed tree and the package; the
# X server, xdotool and xclip drive the built program's real window and read its clipboard; the
# program reads the font configuration itself at start (libfontconfig-dev).
packages=(build-essential cmake ninja-build clang-format clang-14 libclang-rt-14-dev valgrind
          qt6-base-dev qt6-svg-dev libfontconfig-dev fonts-liberation2 fonts-dejavu-core locales
          desktop-file-utils appstream dpkg-dev file xvfb xauth xdotool xclip)

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# The number formats are tested under a German locale, whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    echo "Generating the locale de_DE.UTF-8"
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
