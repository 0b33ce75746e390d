#!/usr/bin/env bash
# Benchmark, not a test: 2,000 files of mixed sizes installed through InstallFileEntry against
# a bare CopyFileA loop over the same files, under Wine in a copy of the clean prefix.
# Usage: bench/file_install.sh [FILES]    (after building x64, e.g. with tools/test)
source "$(dirname "$0")/../tools/lib.sh"
count=${1:-2000}
bench=$BUILD/x64/bin/file_install_bench.exe
[ -f "$bench" ] || { build_windows x86_64; }
make_wine_template "$BUILD/wine-template"
prefix=$BUILD/bench-prefix
fresh_prefix "$BUILD/wine-template" "$prefix"
trap 'stop_wineserver "$prefix"; rm -rf "$prefix"' EXIT
start_wineserver "$prefix"
WINEPREFIX=$prefix $WINE64 "$bench" 'C:\bench' "$count" </dev/null 2>/dev/null | tr -d '\r'
