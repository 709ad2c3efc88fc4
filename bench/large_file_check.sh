#!/usr/bin/env bash
# Converts a generated stack of more than 5 GiB, whose double-precision
# output passes 4 GiB, and checks the output's length and samples of its
# values (the last values, and values beyond 4 GiB of both files) against
# the literal model converting the same lines. Slow and disk-hungry, so
# not part of the default test run:
#   bash bench/large_file_check.sh [values] [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
values=${1:-600000000}
dir=${2:-$(mktemp -d)}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBRONDEL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target brondel brondel-model brondel-generate >/dev/null
stack="$dir/large.stack"
out="$dir/large.bin"
trap 'rm -f "$stack" "$out" "$dir"/sample.*' EXIT

start=$(date +%s)
build-bench/bench/brondel-generate "$values" > "$stack"
insize=$(stat -c %s "$stack")
echo "generated $insize bytes in $(( $(date +%s) - start )) s"

start=$(date +%s)
build-bench/brondel "$stack" "$out" -f:d
echo "converted in $(( $(date +%s) - start )) s"

outsize=$(stat -c %s "$out")
expected=$(( (12 + values) * 8 ))
[ "$outsize" -eq "$expected" ] || { echo "output is $outsize bytes, expected $expected" >&2; exit 1; }
echo "output length $outsize = (12 + $values) x 8"

head -n 12 "$stack" > "$dir/sample.header"
# Compares the model's conversion of one line (whose first value has index
# $2) with the bytes of the large output at that value.
check_line() {
  local line=$1 first=$2 count
  count=$(wc -w <<<"$line")
  { cat "$dir/sample.header"; echo "$line"; } > "$dir/sample.stack"
  build-bench/brondel-model "$dir/sample.stack" "$dir/sample.bin" -f:d
  tail -c $(( count * 8 )) "$dir/sample.bin" > "$dir/sample.want"
  dd if="$out" of="$dir/sample.got" bs=8 skip=$(( 12 + first )) count="$count" status=none
  cmp -s "$dir/sample.want" "$dir/sample.got" || { echo "values from $first differ" >&2; exit 1; }
  echo "values $first to $(( first + count - 1 )) match (output offset $(( (12 + first) * 8 )))"
}

# The first values, then a line beyond 4 GiB of input and output, then the last line.
check_line "$(sed -n 13p "$stack")" 0
offset=$(( insize - 400000000 ))
newlines=$(head -c "$offset" "$stack" | wc -l)
check_line "$(dd if="$stack" bs=1M count=1 iflag=skip_bytes skip="$offset" status=none | sed -n 2p)" \
  $(( (newlines + 1 - 12) * 8 ))
lines=$(wc -l < "$stack")
last=$(tail -n 1 "$stack")
check_line "$last" $(( (lines - 1 - 12) * 8 ))
echo "large file check passed"
