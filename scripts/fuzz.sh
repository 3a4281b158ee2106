#!/usr/bin/env bash
# Builds the core's fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, and runs each over its seeds for SECONDS
# (30 by default), two at a time. Exits non-zero when any target finds a
# crash, a hang or a broken rule; the input that did it is then in
# build-fuzz/findings/<target>/, and the fuzzer's report in its log there.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# New inputs the fuzzers find go to build-fuzz/findings/<target>/corpus, never
# into the repository's seeds (fuzz/corpus/<target>/).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

seconds="${1:-30}"
shift || true
case "$seconds" in
    ''|*[!0-9]*) echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 2 ;;
esac

ensure_packages "${FUZZ_PACKAGES[@]}"

dir=build-fuzz
args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRENDOLA_FUZZ=ON -DTRENDOLA_BUILD_TESTS=OFF
    -DTRENDOLA_BUILD_BENCH=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON)
[ "${TRENDOLA_WERROR:-0}" = 1 ] && args+=(-DTRENDOLA_WERROR=ON)
CC=clang-14 CXX=clang++-14 cmake -S . -B "$dir" "${args[@]}"
cmake --build "$dir" --target fuzzers --parallel "$(nproc)"

if [ "$#" -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for corpus in fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
fi

# Runs one target; its log ends with libFuzzer's report. A finding fails the
# target, except while the target has reproducers in fuzz/known-faults/: the
# fuzzer may then find those faults again, so its findings are shown but do
# not fail the run until the fixes land and the reproducers join the seeds.
run_target() {
    local target="$1" seconds="$2" dir="$3"
    local out="$dir/findings/$target"
    rm -rf "$out"
    mkdir -p "$out/corpus"
    local max_len=4096
    case "$target" in
        line_ends) max_len=9000 ;; # past the line counter's 4080-byte flush
        last_line | replay) max_len=2048 ;;
    esac
    if "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -max_len="$max_len" \
        -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "fuzz/corpus/$target" >"$out/log" 2>&1; then
        echo "fuzz $target: ok ($(grep -o 'number_of_executed_units: *[0-9]*' "$out/log" | grep -o '[0-9]*$') runs)"
        echo passed >"$out/status"
        return 0
    fi
    grep -E 'rule broken|ERROR: |SUMMARY: |^  [^ ]' "$out/log" | head -n 20 | cut -c 1-600 >&2
    if compgen -G "fuzz/known-faults/$target/*" >/dev/null; then
        echo "fuzz $target: found a fault while known faults are open in fuzz/known-faults/$target/; input and report in $out/"
        echo passed >"$out/status"
        return 0
    fi
    echo "fuzz $target: FAILED; input and report in $out/" >&2
    return 1
}

# Tells which known faults still show; never fails.
check_known_faults() {
    local target="$1" dir="$2" reproducer
    for reproducer in fuzz/known-faults/"$target"/*; do
        [ -f "$reproducer" ] || continue
        if "$dir/fuzz/fuzz_$target" -timeout=20 "$reproducer" >/dev/null 2>&1; then
            echo "known fault $reproducer: passes now; move it into fuzz/corpus/$target/"
        else
            echo "known fault $reproducer: still fails"
        fi
    done
}
export -f run_target

# The targets' files, which a crash leaves behind, stay with the findings.
export TMPDIR="$PWD/$dir/findings/tmp"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
rm -rf "$dir/findings"
mkdir -p "$TMPDIR"
for target in "${targets[@]}"; do
    check_known_faults "$target" "$dir"
done
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_target "$@"' _ {} "$seconds" "$dir" || true
passed=$(cat "$dir"/findings/*/status 2>/dev/null | grep -c passed || true)
failed=$((${#targets[@]} - passed))
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
