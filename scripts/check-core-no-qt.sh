#!/usr/bin/env bash
# Fails when a file of the core includes a Qt header: the core must build and run without Qt.
set -eu
root=${1:-$(dirname "$0")/..}
hits=$(grep -rlE '#include *[<"]Q' "$root"/src/{app,rules,regex,template,search,editor,filepanel,codepage} || true)
if [ -n "$hits" ]; then
    echo "Core files include Qt headers:"; echo "$hits"; exit 1
fi
echo "core is free of Qt"
