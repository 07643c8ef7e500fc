#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any are missing.
set -euo pipefail

packages=(
    # build, and the cross compiler that checks the portable core builds for Windows
    g++ cmake ninja-build pkg-config ccache g++-mingw-w64-x86-64
    # toolkit and X11
    qt6-base-dev libgl-dev libx11-dev libxtst-dev libxrandr-dev libxdamage-dev
    # the desktop's opener for documents and web addresses
    xdg-utils
    # the formatter
    clang-format
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # the fuzz targets: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
    # virtual display, a window manager, input and a terminal for end-to-end runs and the demo
    xvfb xauth openbox xdotool xterm x11-utils x11-apps x11-xkb-utils imagemagick
    fonts-dejavu-core desktop-file-utils
    # the Debian package: the manual pages' converter, what CPack needs to find the
    # libraries the programs link, and the checks of the package
    scdoc dpkg-dev file lintian appstream
    # a GTK 3 program to type into: GTK keeps a keymap and an input method of its own
    libgtk-3-dev
    # more window managers, whose frames and caption buttons differ
    icewm
    # regedit, to check that the registry store is a file it imports and exports unchanged
    wine64
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
