#!/usr/bin/env bash
# Every C++ source in the repository is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
unformatted=()
while IFS= read -r file; do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "not formatted (run clang-format -i): ${unformatted[*]}" >&2
    exit 1
fi
echo "1 passed, 0 failed"
