#!/usr/bin/env bash
# Builds the Debian package of Morvane: installs what is missing, makes a release build in
# build-package/ for the prefix /usr, and runs CPack. The .deb lands in build-package/.
# Try it: dpkg -i build-package/morvane_*.deb; morvane-cli --version; dpkg -r morvane
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
morvane_install_packages
dir="$MORVANE_ROOT/build-package"
cmake -S "$MORVANE_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMORVANE_BUILD_TESTS=OFF </dev/null
cmake --build "$dir" -j "$(nproc)" </dev/null
(cd "$dir" && cpack -G DEB </dev/null)
ls "$dir"/*.deb
