#!/usr/bin/env bash
# Builds Kestrion with the CI preset (any compiler warning fails the build, benchmarks
# included) and runs the whole test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/start-printer.sh || true
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
