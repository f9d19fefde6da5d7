#!/usr/bin/env bash
# Set up, build and start Morvane.  `scripts/run.sh cli ARGS...` runs morvane-cli instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
morvane_install_packages
morvane_build "$MORVANE_ROOT/build" >&2
if [ "${1:-}" = "cli" ]; then
    shift
    exec "$MORVANE_ROOT/build/src/cli/morvane-cli" "$@"
fi
exec "$MORVANE_ROOT/build/src/ui/morvane" "$@"
