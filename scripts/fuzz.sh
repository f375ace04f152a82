#!/usr/bin/env bash
# Builds the fuzz targets over the model (clang, libFuzzer, ASan + UBSan) and runs each in turn
# on one core, starting from its seed corpus in tests/fuzz/corpus.
# Usage: scripts/fuzz.sh [seconds]     each target for that long (default 60)
#        scripts/fuzz.sh --runs N      each target for N inputs (the test suite uses this)
# The build goes to $VARNEX_FUZZ_BUILD (default build-fuzz); inputs found on the way and any
# crashing input are kept there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
limit=(-max_total_time="${1:-60}")
if [[ ${1:-} == --runs ]]; then
    limit=(-runs="${2:?scripts/fuzz.sh --runs N}")
fi
build_dir=${VARNEX_FUZZ_BUILD:-$root/build-fuzz}

"$root/scripts/setup.sh"
cmake -S "$root/tests/fuzz" -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for fuzzer in "$build_dir"/fuzz_*; do
    [[ -x $fuzzer ]] || continue
    name=$(basename "$fuzzer")
    corpus="$build_dir/corpus/$name"
    mkdir -p "$corpus" "$build_dir/artifacts"
    echo "== $name"
    # New inputs go to the first folder, so the seeds in the repository stay as they are.
    status=0
    "$fuzzer" "${limit[@]}" -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$name-" \
        "$corpus" "$root/tests/fuzz/corpus/$name" >"$build_dir/$name.log" 2>&1 || status=$?
    if ((status != 0)); then
        tail -n 40 "$build_dir/$name.log"
        echo "$name failed; the input is kept in $build_dir/artifacts" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$build_dir/$name.log"
done
