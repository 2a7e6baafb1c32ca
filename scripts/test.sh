#!/usr/bin/env bash
# Builds Kestrion with a preset and runs the whole test suite through CTest. Without an
# argument the CI preset: any compiler warning fails the build, benchmarks included.
# Usage: scripts/test.sh [PRESET [CTEST ARGUMENTS...]]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-ci}
shift || true
scripts/setup.sh
scripts/start-printer.sh || true
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset" "$@"
