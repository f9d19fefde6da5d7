#!/usr/bin/env bash
# The passes of morvane-cli beside grep and sed on one generated tree (about 100 MiB of
# Windows-1251 text with CR LF lines in some 2,400 files of 2 to 120 KB), page cache warm.
# Every row times Morvane and its peer in the same run, alternately, and prints the medians
# and their ratio (Morvane / peer: below 1 is faster). Then the peak resident memory of found
# and replace on one file of the whole size.
#
# Output goes to a regular file, as a user's would. GNU grep treats an output of /dev/null as
# -q: it stops reading each file at its first match and counts nothing, a smaller job than the
# count it is compared for. The grep rows show that time too, in the last two columns.
#
# Usage: scripts/bench-passes.sh [RUNS]        (default 5 runs per command)
# Build directory: $MORVANE_BENCH_DIR, default build-release; work directory: $MORVANE_BENCH_TMP
# (default a new directory under /tmp, removed at the end).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
morvane_install_packages
if [ ! -x /usr/bin/time ]; then  # GNU time, for the peak memory
    sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q time </dev/null >&2
fi

runs=${1:-5}
dir=${MORVANE_BENCH_DIR:-$MORVANE_ROOT/build-release}
cmake -S "$MORVANE_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON \
    -DMORVANE_BUILD_UI=OFF -DMORVANE_BUILD_TESTS=OFF </dev/null >&2
cmake --build "$dir" -j "$(nproc)" --target morvane-cli morvane-make-tree </dev/null >&2
cli=$dir/src/cli/morvane-cli

work=${MORVANE_BENCH_TMP:-$(mktemp -d /tmp/morvane-bench.XXXXXX)}
cleanup() { [ -n "${MORVANE_BENCH_TMP:-}" ] || rm -rf "$work"; }
trap cleanup EXIT
pristine=$work/pristine
tree=$work/tree
"$dir/bench/passes/morvane-make-tree" "$pristine" >&2
cat $(find "$pristine" -type f) >/dev/null

# Seconds taken by the command in "$@", its output written to $out (a regular file, or
# /dev/null when $out says so).
out=$work/out
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >"$out" 2>&1 || true
    end=$(date +%s%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", (e - s) / 1e9 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A fresh copy of the tree for a command that changes it (the copy is not timed).
fresh_tree() { rm -rf "$tree"; cp -a "$pristine" "$tree"; cat $(find "$tree" -type f) >/dev/null; }

printf '| command | Morvane s | peer s | ratio | peer s, output to /dev/null | ratio |\n'
printf '|---|---:|---:|---:|---:|---:|\n'

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# row LABEL WRITES(0|1) -- MORVANE... -- PEER...
# A row that writes nothing also times the peer with its output to /dev/null.
row() {
    local label=$1 writes=$2
    shift 3
    local morvane=() peer=()
    while [ "$1" != "--" ]; do morvane+=("$1"); shift; done
    shift
    peer=("$@")
    local m=() p=() n=()
    [ "$writes" = 1 ] || fresh_tree
    for _ in $(seq "$runs"); do
        [ "$writes" = 0 ] || fresh_tree
        m+=("$(seconds "${morvane[@]}")")
        [ "$writes" = 0 ] || fresh_tree
        p+=("$(seconds "${peer[@]}")")
        if [ "$writes" = 0 ]; then n+=("$(out=/dev/null seconds "${peer[@]}")"); fi
    done
    local mm pm nm=- nr=-
    mm=$(printf '%s\n' "${m[@]}" | median)
    pm=$(printf '%s\n' "${p[@]}" | median)
    if [ "$writes" = 0 ]; then
        nm=$(printf '%s\n' "${n[@]}" | median)
        nr=$(ratio "$mm" "$nm")
        nm=$(printf '%.3f' "$nm")
    fi
    printf '| %s | %.3f | %.3f | %s | %s | %s |\n' "$label" "$mm" "$pm" "$(ratio "$mm" "$pm")" "$nm" "$nr"
}

sed_tree() { find "$tree" -type f -print0 | xargs -0 sed -i -E 's/href/HREF/g'; }

jobs_rows=()
# The help is read whole first: with pipefail, "grep -q" leaving early could fail the pipe.
help_text=$("$cli" found --help 2>&1 || true)
if grep -q -- '--jobs' <<<"$help_text"; then jobs_rows=(1 2); else jobs_rows=(1); fi
for jobs in "${jobs_rows[@]}"; do
    j=()
    suffix=""
    if [ "$jobs" != 1 ] || [ ${#jobs_rows[@]} -gt 1 ]; then j=(--jobs "$jobs"); suffix=" --jobs $jobs"; fi
    row "found -e zzzqqq$suffix vs grep -rcE" 0 -- "$cli" found -e zzzqqq --subdirs "${j[@]}" "$tree" \
        -- env LC_ALL=C grep -rcE zzzqqq "$tree"
    row "found -e href$suffix vs grep -rcE" 0 -- "$cli" found -e href --subdirs "${j[@]}" "$tree" \
        -- env LC_ALL=C grep -rcE href "$tree"
    row "found -e '\\bthe\\b'$suffix vs grep -rcE" 0 -- "$cli" found -e '\bthe\b' --subdirs "${j[@]}" "$tree" \
        -- env LC_ALL=C grep -rcE '\bthe\b' "$tree"
    row "notfound -e href$suffix vs grep -rLE" 0 -- "$cli" notfound -e href --subdirs "${j[@]}" "$tree" \
        -- env LC_ALL=C grep -rLE href "$tree"
done
row "replace -e href -r HREF (backups) vs sed -i -E" 1 -- "$cli" replace -e href -r HREF --subdirs "$tree" \
    -- sed_tree

# Peak resident memory on one file of the whole size.
big=$work/big.txt
"$dir/bench/passes/morvane-make-tree" --single "$big" >&2
size_kib=$(( $(stat -c %s "$big") / 1024 ))
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
printf '\n| one %d MiB file | peak RSS MiB | RSS / file size |\n|---|---:|---:|\n' $((size_kib / 1024))
for cmd in found replace; do
    cp "$big" "$work/one.txt"
    rm -f "$work/one.txt0"
    if [ $cmd = found ]; then kib=$(peak "$cli" found -e href "$work/one.txt"); else
        kib=$(peak "$cli" replace -e href -r HREF "$work/one.txt"); fi
    printf '| %s | %d | %.2f |\n' "$cmd" $((kib / 1024)) "$(awk -v a="$kib" -v b="$size_kib" 'BEGIN { print a / b }')"
done
