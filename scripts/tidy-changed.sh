#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) on the C++ sources this branch changed since it left
# main: the files added or modified between the merge base with main and HEAD, plus
# those changed and not yet committed. On main itself, or on a clean clone of it,
# nothing changed and nothing is checked. Needs a configured build folder for the
# compile commands (default build-ci, the CI preset's).
# Usage: scripts/tidy-changed.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-ci}

main_ref=""
for candidate in main origin/main; do
    if git rev-parse --verify -q "$candidate^{commit}" >/dev/null; then
        main_ref=$candidate
        break
    fi
done
if [ -z "$main_ref" ]; then
    echo "tidy: no main branch to compare with; nothing checked"
    exit 0
fi
base=$(git merge-base HEAD "$main_ref")

mapfile -t files < <({
    git diff --name-only --diff-filter=AMR "$base" HEAD
    git diff --name-only --diff-filter=AMR HEAD
} | grep -E '^(src|tests|tools|bench)/.*\.cpp$' | sort -u)
existing=()
for file in "${files[@]}"; do
    [ -f "$file" ] && existing+=("$file")
done
if [ ${#existing[@]} -eq 0 ]; then
    echo "tidy: no C++ source changed since $(git rev-parse --short "$base"); nothing checked"
    exit 0
fi
if [ ! -f "$build/compile_commands.json" ]; then
    echo "tidy: $build/compile_commands.json is missing; configure the build first" >&2
    exit 1
fi
echo "tidy: ${#existing[@]} changed file(s)"
clang-tidy -p "$build" --quiet "${existing[@]}"
