#!/usr/bin/env bash
# Checks that every C++ file in git is formatted with the repository's .clang-format; lists the
# files that are not (format them with clang-format -i).
set -euo pipefail
cd "$(dirname "$0")/.."

unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z -- '*.cpp' '*.h' '*.hpp' '*.cc')

if [ ${#unformatted[@]} -ne 0 ]; then
  echo "Not formatted with .clang-format (clang-format -i FILE):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "All $(git ls-files -- '*.cpp' '*.h' '*.hpp' '*.cc' | wc -l) C++ files are formatted."
