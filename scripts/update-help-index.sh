#!/bin/sh
# Rewrites the list of method pages in help/index.htm from the registry of a built zentrix-cli.
# Usage: scripts/update-help-index.sh [path/to/zentrix-cli]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/test/src/zentrix-cli}
index=$root/help/index.htm
list=$(mktemp)
out=$(mktemp)
trap 'rm -f "$list" "$out"' EXIT
"$cli" help --method-index >"$list"
awk -v list="$list" '
    /<!-- method pages: begin -->/ { while ((getline line < list) > 0) print line; skip = 1; next }
    /<!-- method pages: end -->/ { skip = 0; next }
    !skip { print }
' "$index" >"$out"
cp "$out" "$index"
