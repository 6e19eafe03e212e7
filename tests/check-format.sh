#!/usr/bin/env bash
# Every C++ source in the repository is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
# The sources are the files git tracks. Outside a git checkout (a source tarball) there is no such
# list, and guessing one would take in build trees: the check is skipped, saying so, rather than
# passed having looked at nothing. The sources are formatted so that clang-format 14 (Debian 12)
# and 19 (Debian 13) agree, and each release's test run checks with its own.
if ! command -v git >/dev/null || ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "SKIP: not a git checkout (or no git), so there is no list of the C++ sources" >&2
    exit 77
fi
sources=$(git ls-files '*.cpp' '*.h')
[ -n "$sources" ] || { echo "FAIL: git lists no C++ sources in $(pwd)" >&2; exit 1; }
unformatted=()
while IFS= read -r file; do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done <<<"$sources"
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "not formatted (run clang-format -i): ${unformatted[*]}" >&2
    exit 1
fi
echo "1 passed, 0 failed"
