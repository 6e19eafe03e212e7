#!/usr/bin/env bash
# Builds the log-loading fuzz target with clang (libFuzzer, ASan, UBSan) and runs it for a
# bounded time from the committed seeds. Usage: scripts/fuzz.sh [seconds, default 60]
set -euo pipefail
source "$(dirname "$0")/setup.sh"

seconds=${1:-60}
dir="$VOK_ROOT/build-fuzz"
if [ ! -f "$dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$VOK_ROOT" -B "$dir" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_FUZZ=ON -DVOK_TESTS=OFF
fi
cmake --build "$dir" -j2 --target fuzz_loadlog

# New inputs go to the build tree, never into the committed seeds; a failing input is saved
# there too and its path printed.
mkdir -p "$dir/corpus"
log="$dir/fuzz.log"
if "$dir/tests/fuzz/fuzz_loadlog" -max_total_time="$seconds" -max_len=20000 -timeout=10 \
    -artifact_prefix="$dir/" "$dir/corpus" "$VOK_ROOT/tests/fuzz/corpus" >"$log" 2>&1; then
    grep -E '^(Done|#[0-9]+ +DONE)' "$log" || tail -n 3 "$log"
else
    cat "$log"
    echo "fuzzing failed; the input that broke it is under $dir/" >&2
    exit 1
fi
