#!/usr/bin/env bash
# Builds Kestrion and starts it on the bundled sample library. Without a display
# it runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target kestrion sample_library
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x900x24" build/bin/kestrion "$@"
fi
exec build/bin/kestrion "$@"
