#!/usr/bin/env bash
# Checks that every source file is clang-format clean and clang-tidy clean.
# Usage: tests/check_style.sh BUILD_DIR   (a build with compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
mapfile -t units < <(git ls-files 'src/*.cpp' 'bench/*.cpp' 'tests/*.cpp' 'tests/model/*.cpp' 'fuzz/*.cpp')
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 4 \
  clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option 2> >(grep -v "warnings generated" >&2)
echo "style: clang-format and clang-tidy clean"
