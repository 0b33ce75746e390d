#!/bin/sh
# Runs one fuzzer for FUZZ_SECONDS (default 20) over a copy of its seed corpus.
# Usage: run_fuzzer.sh FUZZER SEED_DIR WORK_DIR
set -e
fuzzer=$1 seeds=$2 work=$3
mkdir -p "$work"
[ -d "$seeds" ] && cp -r "$seeds/." "$work/"
exec "$fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work"
