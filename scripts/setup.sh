#!/usr/bin/env bash
# Installs what building, running and testing Kestrion need on Debian 12.
# Non-interactive and idempotent: packages already there are left alone.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
    libturbojpeg0-dev libbenchmark-dev linux-perf
    fonts-dejavu-core
    xvfb xauth
    cups cups-bsd printer-driver-cups-pdf poppler-utils
    desktop-file-utils appstream shared-mime-info libglib2.0-bin libxml2-utils file dpkg-dev man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: run as root to install: ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
