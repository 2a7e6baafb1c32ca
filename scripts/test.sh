#!/usr/bin/env bash
# Builds Kestrion and runs the whole test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/start-printer.sh || true
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRION_BUILD_TESTS=ON
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
