#!/usr/bin/env bash
# Builds the Debian package trendola_<version>_<arch>.deb in Release from a
# clean build folder (build-package/), after installing what a fresh Debian
# machine lacks. The package is left in build-package/.
#
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

dir=build-package
rm -rf "$dir"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRENDOLA_BUILD_TESTS=OFF -DTRENDOLA_BUILD_BENCH=OFF
cmake --build "$dir" --parallel "$(nproc)"
(cd "$dir" && cpack -G DEB)
ls "$dir"/trendola_*.deb
