#!/usr/bin/env bash
# Sets up what a fresh Debian machine lacks, builds Trendola and runs every
# test. Exits non-zero on any failure.
#
#   scripts/test.sh              the full build and all tests
#   scripts/test.sh --sanitize   the same with the address and undefined-behaviour sanitizers
#   scripts/test.sh --core-only  the core alone, with Qt out of reach
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

mode=full
case "${1:-}" in
    "") ;;
    --sanitize) mode=sanitize ;;
    --core-only) mode=core ;;
    *) echo "usage: $0 [--sanitize | --core-only]" >&2; exit 2 ;;
esac

ensure_packages "${BUILD_PACKAGES[@]}"
[ "$mode" = core ] || ensure_packages "${TEST_PACKAGES[@]}"
ensure_comma_locale

args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
[ "${TRENDOLA_WERROR:-0}" = 1 ] && args+=(-DTRENDOLA_WERROR=ON)
case "$mode" in
    full) dir=build ;;
    sanitize) dir=build-sanitize; args+=(-DTRENDOLA_SANITIZE=ON -DTRENDOLA_BUILD_BENCH=OFF) ;;
    core) dir=build-core; args+=(-DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON) ;;
esac

cmake -S . -B "$dir" "${args[@]}"
cmake --build "$dir" --parallel "$(nproc)"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 600
