#!/usr/bin/env bash
# Builds the Debian package of Kestrion: build-package/kestrion_VERSION_ARCH.deb.
# Release build without the tests; dependencies found by dpkg-shlibdeps. The time stamps
# inside the package are the last commit's (SOURCE_DATE_EPOCH), so two builds of the
# same commit give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || stat -c %Y CHANGELOG.md)
fi
export SOURCE_DATE_EPOCH
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRION_BUILD_TESTS=OFF
cmake --build build-package
rm -f build-package/kestrion_*.deb
(cd build-package && cpack -G DEB)
ls build-package/kestrion_*.deb
