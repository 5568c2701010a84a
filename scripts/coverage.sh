#!/usr/bin/env bash
# Line coverage of the library's layers under the whole test suite (no desktop program):
# build/cov/coverage.txt per file, build/cov/coverage/index.html to browse.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-debian.sh
cmake -S . -B build/cov -DCMAKE_BUILD_TYPE=Debug -DZENTRIX_GUI=OFF -DZENTRIX_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="--coverage -O0 -g0" -DCMAKE_EXE_LINKER_FLAGS=--coverage
cmake --build build/cov -j"$(nproc)"
find build/cov -name '*.gcda' -delete
# A failing test still leaves its coverage; the report is made either way and the exit status
# says whether every test passed.
status=0
(cd build/cov && ctest -j"$(nproc)" --output-on-failure) || status=$?
mkdir -p build/cov/coverage
# The library's own objects only: the tests' objects would count test code, not the library's.
gcovr --root . --object-directory build/cov/src build/cov/src \
    --filter 'src/(util|core|stats|scenario|stakes|exchange)/' \
    --txt build/cov/coverage.txt --html-details build/cov/coverage/index.html --print-summary
exit "$status"
