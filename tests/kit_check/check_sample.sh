#!/bin/sh
# The sample kit's medium gives no finding, in text and in JSON, and exit code 0.
# Usage: check_sample.sh KITCHECK LZPACK SOURCE_DIR WORK_DIR
set -eu
kitcheck=$1 lzpack=$2 src=$3 work=$4
sh "$src/tests/kit_check/sample_medium.sh" "$lzpack" "$src" "$work"
status=0
"$kitcheck" check "$work" >"$work.txt" || status=$?
cat "$work.txt"
[ $status -eq 0 ] || { echo "FAIL: exit code $status, 0 expected"; exit 1; }
grep -qx '0 errors, 0 warnings' "$work.txt" || { echo "FAIL: findings on the sample medium"; exit 1; }
"$kitcheck" check --json "$work" >"$work.json"
grep -q '"findings": \[\], "exit": 0' "$work.json" || { echo "FAIL: the JSON report is not empty"; cat "$work.json"; exit 1; }
echo "sample medium: no findings"
