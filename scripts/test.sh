#!/usr/bin/env bash
# Installs what is needed, builds everything with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-debian.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIX_SANITIZE=ON
cmake --build build/test -j"$(nproc)"
cd build/test
# Qt keeps some allocations until exit by design; leaks are not what these runs look for.
export ASAN_OPTIONS=detect_leaks=0
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc)"
# Every fuzz target briefly, so one that no longer builds or crashes at once is caught.
cd ../..
./scripts/fuzz.sh 20
