#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it on the demo data folder.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-debian.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DZENTRIX_TESTS=OFF -DZENTRIX_BENCH=OFF
cmake --build build/release -j"$(nproc)"

data="$PWD/demo-data"
cli="build/release/src/zentrix-cli"
mkdir -p "$data"
if [ ! -f "$data/Zentrix_8x20.ldr" ]; then
    echo "Writing a synthetic demo archive (10000 draws) into $data"
    "$cli" --dir "$data" demo --draws 10000 --seed 1
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/src/gui/Zentrix_8x20 --dir "$data"
fi

echo "No display is available, so the desktop window cannot open here."
echo "The command-line tool on the same demo folder instead:"
echo
echo "== zentrix-cli game"
"$cli" --dir "$data" game
echo
echo "== zentrix-cli draws list (the newest draws)"
"$cli" --dir "$data" draws list | head -n 11
echo
echo "== zentrix-cli stats table NUMS (the last 1000 draws)"
"$cli" --dir "$data" stats table NUMS --window 1000
echo
echo "To open the window on a machine with a display:"
echo "  build/release/src/gui/Zentrix_8x20 --dir \"$data\""
