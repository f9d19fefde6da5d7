#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: install what is missing (Debian 12), configure, build.
# Usage: source scripts/setup.sh; morvane_setup BUILD_DIR [extra cmake args...]
set -euo pipefail

MORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
MORVANE_PACKAGES=(
    build-essential cmake pkg-config
    googletest libgtest-dev libgmock-dev
    qt6-base-dev libqscintilla2-qt6-dev libgl-dev
    qt6-translations-l10n
    libbenchmark-dev libpcre2-dev libre2-dev
    desktop-file-utils dpkg-dev file
    xvfb xauth openbox x11-utils

)

morvane_install_packages() {
    local missing=()
    for p in "${MORVANE_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}" </dev/null
}

morvane_build() {
    local dir=$1; shift
    cmake -S "$MORVANE_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" </dev/null
    cmake --build "$dir" -j "$(nproc)" </dev/null
}
