#!/usr/bin/env bash
# Builds everything and runs every check: the test suite (release build,
# long tests included), the suite under sanitizers, a fuzzing smoke run,
# source style, and the packages' contents.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== build and test (release)"
cmake --workflow --preset release

echo "== the test suite under AddressSanitizer and UndefinedBehaviorSanitizer (long tests left out)"
cmake --workflow --preset sanitize

echo "== fuzzing smoke run: the conversion against the literal model"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build-fuzz/fuzz/convert_fuzzer -max_total_time="${BRONDEL_FUZZ_SECONDS:-60}" -max_len=4096 -print_final_stats=1 \
  "$corpus" fuzz/corpus 2>&1 | grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)'

echo "== style"
bash tests/check_style.sh build build-fuzz

echo "== packages"
(cd build && rm -f brondel_*.deb && cpack -G DEB >/dev/null && cpack --config CPackSourceConfig.cmake >/dev/null)
deb=$(ls build/brondel_*_amd64.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | grep -qx './usr/bin/brondel'
dpkg-deb -c "$deb" | awk '{print $6}' | grep -qx './usr/share/man/man1/brondel.1'
if tar tzf build/brondel-*.tar.gz | grep -q '/build[^/]*/'; then
  echo "source package holds a build folder" >&2
  exit 1
fi
echo "packages: $deb and the source tarball look right"
