#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Hopwick need, when any is missing. With
# "bench", also those that only the benchmarks need.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config git
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev qt6-translations-l10n libgl-dev libfontconfig-dev
    fonts-ipafont-gothic fontconfig xdg-utils desktop-file-utils
    xvfb xdotool x11-utils openbox imagemagick python3-xlib
    clang libclang-rt-14-dev clang-format
    g++-mingw-w64-x86-64 wine wine64 locales python3
    dpkg-dev lintian appstream man-db groff-base librsvg2-bin
    qt6-wayland weston libwayland-dev wayland-protocols
    dbus-daemon libglib2.0-bin at-spi2-core python3-pyatspi
    wixl msitools osslsigncode openssl devscripts python3-pefile diffoscope-minimal
    exfatprogs exfat-fuse ntfs-3g
)
if [ "${1:-}" = bench ]; then
    packages+=(rofi)
fi

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Run as root, or: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine's code page 932 needs a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    if [ "$(id -u)" -eq 0 ]; then
        sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
        locale-gen >/dev/null
    else
        echo "The ja_JP.UTF-8 locale is missing; generate it as root." >&2
    fi
fi
