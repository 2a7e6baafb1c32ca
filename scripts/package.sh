#!/usr/bin/env bash
# Builds the Debian package of Kestrion: build-package/kestrion_VERSION_ARCH.deb.
# Release build without the tests; dependencies found by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRION_BUILD_TESTS=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
ls build-package/kestrion_*.deb
