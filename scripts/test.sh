#!/usr/bin/env bash
# Set up, build and run the whole test suite (GUI tests under Qt's offscreen platform).
# MORVANE_BUILD_DIR chooses the build folder (default build-test); extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
morvane_install_packages
build=${MORVANE_BUILD_DIR:-$MORVANE_ROOT/build-test}
morvane_build "$build" -DMORVANE_BUILD_BENCH=ON
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600 "$@" </dev/null
