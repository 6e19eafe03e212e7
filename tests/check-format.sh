#!/usr/bin/env bash
# Every C++ source in the repository is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
# The sources are the files git tracks. Without that list (outside a git checkout) the check
# fails: passing having looked at nothing would hide unformatted code.
sources=$(git ls-files '*.cpp' '*.h' 2>&1) || {
    echo "FAIL: cannot list the C++ sources, this needs a git checkout: $sources" >&2
    exit 1
}
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
