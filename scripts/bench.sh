#!/usr/bin/env bash
# Builds the benchmark in release mode and prints the table of the engine beside PCRE2 (interpreter
# and JIT), std::regex and RE2 on the generated 16 MiB corpus.
# Usage: scripts/bench.sh [morvane-bench options...]
#   e.g. scripts/bench.sh --benchmark_filter='p0[1-3]/' --corpus-mib=4
# Build directory: $MORVANE_BENCH_DIR, default build-release (the release preset's).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
morvane_install_packages

# Caseless Cyrillic in PCRE2 needs character tables made under a Windows-1251 locale.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.cp1251'; then
    if [ "$(id -u)" -eq 0 ]; then
        if ! command -v localedef >/dev/null || [ ! -e /usr/share/i18n/charmaps/CP1251.gz ]; then
            DEBIAN_FRONTEND=noninteractive apt-get install -y -q locales </dev/null >&2
        fi
        localedef -i ru_RU -f CP1251 ru_RU.CP1251 >&2 || true
    else
        echo "note: no ru_RU.CP1251 locale; PCRE2 gets a case-expanded class instead" >&2
    fi
fi

dir=${MORVANE_BENCH_DIR:-$MORVANE_ROOT/build-release}
cmake -S "$MORVANE_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON \
    -DMORVANE_BUILD_UI=OFF -DMORVANE_BUILD_TESTS=OFF </dev/null >&2
cmake --build "$dir" -j "$(nproc)" --target morvane-bench </dev/null >&2
exec "$dir/bench/morvane-bench" --benchmark_color=false "$@"
