#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the C++ files of a configured and built
# build folder (build/, the `dev` preset, by default; the Qt layer's generated files must exist).
#   bash scripts/tidy.sh              every source file (several minutes on two cores)
#   bash scripts/tidy.sh --changed    the sources changed since main, and those whose header
#                                     changed; on main itself (or without a main branch),
#                                     those of the last commit
# Any finding fails (WarningsAsErrors); the findings are printed.
set -euo pipefail
cd "$(dirname "$0")/.."

changed=0
if [ "${1:-}" = "--changed" ]; then
  changed=1
  shift
fi
build=${1:-build}
[ -f "$build/compile_commands.json" ] || {
  echo "tidy: no $build/compile_commands.json (configure with: cmake --preset dev)" >&2
  exit 1
}

# The sources of the repository the build compiles (not the generated ones in the build folder).
mapfile -t sources < <(comm -12 <(sed -n 's|^ *"file": "'"$PWD"'/\(.*\)",\?$|\1|p' "$build/compile_commands.json" | sort -u) \
  <(git ls-files -- '*.cpp' | sort -u))

if [ $changed -eq 1 ]; then
  main=$(git rev-parse -q --verify main^{commit} || true)
  if [ -n "$main" ] && [ "$main" != "$(git rev-parse HEAD)" ]; then
    base=$(git merge-base HEAD main)
  elif git rev-parse -q --verify HEAD~1 >/dev/null; then
    base=HEAD~1 # on main, or in a checkout without it: the last commit
  else
    base=HEAD
  fi
  # Committed, staged and unstaged changes since the base; a changed header brings in its source.
  mapfile -t touched < <({ git diff --name-only "$base" -- '*.cpp' '*.h'; } | sed 's/\.h$/.cpp/' | sort -u)
  selected=()
  for file in "${sources[@]}"; do
    for t in "${touched[@]}"; do
      [ "$file" = "$t" ] && selected+=("$file") && break
    done
  done
  sources=("${selected[@]}")
fi

if [ ${#sources[@]} -eq 0 ]; then
  echo "tidy: no changed source files to check."
  exit 0
fi
echo "tidy: ${#sources[@]} files"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\0' "${sources[@]}" | xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$build" --quiet >"$log" 2>&1 || status=$?
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' "$log" || true
if [ $status -ne 0 ]; then
  echo "tidy: clang-tidy found problems (above)." >&2
  exit 1
fi
echo "tidy: no findings."
