#!/usr/bin/env bash
# Checks that every source file is clang-format clean and clang-tidy clean.
# Usage: tests/check_style.sh BUILD_DIR [FUZZ_BUILD_DIR]
# (builds with compile_commands.json; the fuzzer's sources are checked
# against the second one when it exists)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
fuzz_build=${2:-build-fuzz}
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
tidy() {
  local db=$1
  shift
  printf '%s\n' "$@" | xargs -P "$(nproc)" -n 4 \
    clang-tidy -p "$db" --quiet --extra-arg=-Wno-unknown-warning-option 2> >(grep -v "warnings generated" >&2)
}
mapfile -t units < <(git ls-files 'src/*.cpp' 'bench/*.cpp' 'tests/*.cpp' 'tests/model/*.cpp')
tidy "$build" "${units[@]}"
if [ -f "$fuzz_build/compile_commands.json" ]; then
  mapfile -t fuzz_units < <(git ls-files 'fuzz/*.cpp')
  tidy "$fuzz_build" "${fuzz_units[@]}"
fi
echo "style: clang-format and clang-tidy clean"
