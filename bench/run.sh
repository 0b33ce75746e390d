#!/usr/bin/env bash
# Benchmark, not a test: installs and removes one generated payload with Instally, two NSIS
# builds and an MSI under one kind of Wine prefix, next to a bare CopyFileA / DeleteFileA loop
# and cp -r on the host, then times script loading and the kit checker natively. Writes bench/results.md.
# Usage (through tools/bench): bench/run.sh [--quick] [--runs N] [--instally-only] [--compare EXE]
#   --instally-only: only the copy and delete loops and Instally (no peers, no script loading);
#   --compare EXE: also times another Instally.exe (an earlier build) in every round, same prefix.
source "$(dirname "$0")/../tools/lib.sh"

QUICK=0
RUNS=3
ONLY=0
COMPARE=
while [ $# -gt 0 ]; do
  case $1 in
    --quick) QUICK=1 ;;
    --runs) RUNS=$2; shift ;;
    --instally-only) ONLY=1 ;;
    --compare) COMPARE=$(realpath "$2") || exit 2; shift ;;
    *) echo "usage: tools/bench [--quick] [--runs N] [--instally-only] [--compare EXE]"; exit 2 ;;
  esac
  shift
done
[ "$RUNS" -ge 1 ] 2>/dev/null || { echo "--runs needs a number"; exit 2; }
[ -z "$COMPARE" ] || [ -f "$COMPARE" ] || { echo "--compare: no file $COMPARE"; exit 2; }
STEP_LIMIT=${STEP_LIMIT:-600}        # seconds any one timed step may take
LOAD_LIMIT=${LOAD_LIMIT:-180}        # seconds one script-load size may take

if [ $QUICK = 1 ]; then
  SHAPE=(--files 200 --folders 10 --megabytes 20 --components 5); NAME=quick
  LOAD_SIZES=(100 1000)
else
  SHAPE=(--files 2000 --folders 50 --megabytes 200 --components 10); NAME=full
  LOAD_SIZES=(100 1000 10000)
fi
WORK=$BUILD/bench
DATA=$WORK/payload-$NAME
PREFIX=$WORK/prefix
RAW=$WORK/raw-$NAME.tsv
HOSTCOPY=$WORK/host-copy
export WINEPREFIX=$PREFIX

cleanup() {
  stop_wineserver "$PREFIX"
  rm -rf "$PREFIX" "$HOSTCOPY"
}
trap cleanup EXIT

winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

say "building Instally, the copy loop and the native script-load benchmark"
mkdir -p "$WORK"
if [ ! -f "$BUILD/x64/CMakeCache.txt" ]; then build_windows x86_64; fi
cmake --build "$BUILD/x64" --target Instally copy_loop_bench -j "$JOBS" >"$WORK/build-x64.log" 2>&1 ||
  { tail -20 "$WORK/build-x64.log"; exit 1; }
if [ ! -f "$WORK/native/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$WORK/native" -DCMAKE_BUILD_TYPE=Release -DSANITIZE=OFF -DCMAKE_C_COMPILER=clang-14 \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS="-g -fno-omit-frame-pointer" >"$WORK/native.configure.log" 2>&1 ||
    { cat "$WORK/native.configure.log"; exit 1; }
fi
cmake --build "$WORK/native" --target script_load_bench kit_check_bench -j "$JOBS" >"$WORK/build-native.log" 2>&1 ||
  { tail -20 "$WORK/build-native.log"; exit 1; }

say "payload (${SHAPE[*]}), made once and kept in $DATA"
python3 "$ROOT/bench/make_payload.py" "$DATA" "${SHAPE[@]}"
FILES=$(wc -l <"$DATA/files.txt")
cp "$BUILD/x64/bin/Instally.exe" "$DATA/kit/Instally.exe"
# A 64-bit system looks for the SetupX64 names only.
cp "$DATA/kit/SetupExt.inf" "$DATA/kit/SetupX64.INF"

if [ $ONLY = 0 ]; then
say "NSIS (stored and zlib) and MSI builds"
build_if_older() {   # output, source, command...
  local out=$1 src=$2; shift 2
  [ -f "$out" ] && [ "$out" -nt "$src" ] && return 0
  timeout "$STEP_LIMIT" "$@" >"$out.log" 2>&1 || { tail -20 "$out.log"; rm -f "$out"; return 1; }
}
build_if_older "$DATA/nsis/bench-stored.exe" "$DATA/nsis/bench.nsi" \
  makensis -V2 "-DOUTFILE=$DATA/nsis/bench-stored.exe" "-XSetCompress off" "$DATA/nsis/bench.nsi"
build_if_older "$DATA/nsis/bench-zlib.exe" "$DATA/nsis/bench.nsi" \
  makensis -V2 "-DOUTFILE=$DATA/nsis/bench-zlib.exe" "-XSetCompressor /FINAL zlib" "$DATA/nsis/bench.nsi"
build_if_older "$DATA/msi/bench.msi" "$DATA/msi/bench.wxs" env -C "$DATA/msi" wixl -a x64 -o bench.msi bench.wxs
fi

say "Wine prefix of its own: $PREFIX"
make_wine_template "$BUILD/wine-template"

# Reads every source once so that no row pays for a cold page cache.
cat "$DATA"/payload/*/* "$DATA"/kit/Data/*/* >/dev/null
[ $ONLY = 1 ] || cat "$DATA"/nsis/*.exe "$DATA"/msi/*.msi >/dev/null

PROGRAMS="$PREFIX/drive_c/Program Files"
count_files() { if [ -d "$1" ]; then find "$1" -type f -name 'f*.dat' | wc -l; else echo 0; fi; }

# label run command...: one timed step; appends label, run, wall seconds, peak KB, exit code and
# processor seconds of the timed process (Wine's server is not counted).
timed() {
  local label=$1 run=$2; shift 2
  local t0 t1 rc=0 peak
  t0=$(date +%s%N)
  /usr/bin/time -f '%M %U %S' -o "$WORK/time.out" timeout "$STEP_LIMIT" "$@" </dev/null >"$WORK/step.log" 2>&1 || rc=$?
  t1=$(date +%s%N)
  read -r peak user system < <(tail -1 "$WORK/time.out")
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$label" "$run" "$(awk -v a="$t0" -v b="$t1" 'BEGIN{printf "%.3f", (b-a)/1e9}')" \
    "${peak:-0}" "$rc" "$(awk -v u="${user:-0}" -v s="${system:-0}" 'BEGIN{printf "%.2f", u+s}')" >>"$RAW"
}
note() { printf '%s\tnote\t%s\n' "$1" "$2" >>"$RAW"; }
check_count() {   # label, folder, expected
  local n; n=$(count_files "$2")
  [ "$n" -eq "$3" ] || note "$1" "$n of $3 files in place afterwards"
}

: >"$RAW"
printf 'meta\tstart\t%s\n' "$(date -u '+%Y-%m-%d %H:%M UTC')" >>"$RAW"
printf 'meta\tload_start\t%s\n' "$(cut -d' ' -f1-3 /proc/loadavg)" >>"$RAW"
printf 'meta\tshape\t%s files in %s folders, %s MB, %s components\n' "$FILES" "${SHAPE[3]}" "${SHAPE[5]}" \
  "${SHAPE[7]}" >>"$RAW"
printf 'meta\twine\t%s\n' "$($WINE64 --version 2>/dev/null)" >>"$RAW"

# suffix, program: installs and removes the kit with that Instally.exe.
instally_round() {
  cp "$2" "$DATA/kit/Instally.exe"
  (cd "$DATA/kit" && timed "Instally install$1" "$run" $WINE64 "$(winpath "$DATA/kit/Instally.exe")" /NODRV /S)
  check_count "Instally install$1" "$PROGRAMS/BenchKit" "$FILES"
  (cd "$DATA/kit" && timed "Instally uninstall$1" "$run" $WINE64 "$(winpath "$DATA/kit/Instally.exe")" '/@SetupExt\BenchKit')
  check_count "Instally uninstall$1" "$PROGRAMS/BenchKit" 0
}

LIST=$(winpath "$DATA/files.txt")
COPYBENCH=$BUILD/x64/bin/copy_loop_bench.exe
for run in $(seq "$RUNS"); do
  say "round $run of $RUNS (load $(cut -d' ' -f1-3 /proc/loadavg))"
  fresh_prefix "$BUILD/wine-template" "$PREFIX"
  start_wineserver "$PREFIX"
  $WINE64 "$COPYBENCH" >/dev/null 2>&1 </dev/null || true   # warms the server once per prefix

  timed "CopyFileA loop" "$run" $WINE64 "$COPYBENCH" copy "$LIST" "$(winpath "$DATA/payload")" 'C:\BenchCopy'
  check_count "CopyFileA loop" "$PREFIX/drive_c/BenchCopy" "$FILES"
  timed "DeleteFileA loop" "$run" $WINE64 "$COPYBENCH" delete "$LIST" 'C:\BenchCopy'
  check_count "DeleteFileA loop" "$PREFIX/drive_c/BenchCopy" 0

  # With a compared build the two take turns going first: the first run in a fresh prefix differs.
  if [ -n "$COMPARE" ] && [ $((run % 2)) = 0 ]; then instally_round ", compared build" "$COMPARE"; fi
  instally_round "" "$BUILD/x64/bin/Instally.exe"
  if [ -n "$COMPARE" ] && [ $((run % 2)) = 1 ]; then instally_round ", compared build" "$COMPARE"; fi
  if [ $ONLY = 1 ]; then stop_wineserver "$PREFIX"; continue; fi

  for kind in stored zlib; do
    timed "NSIS $kind install" "$run" $WINE64 "$(winpath "$DATA/nsis/bench-$kind.exe")" /S
    check_count "NSIS $kind install" "$PROGRAMS/BenchKitNsis" "$FILES"
    # "_?=" runs the uninstaller in place (no copy of itself that would outlive the timing);
    # two arguments so that Wine does not quote the path with its space.
    timed "NSIS $kind uninstall" "$run" $WINE64 'C:\Program Files\BenchKitNsis\uninst.exe' /S \
      '_?=C:\Program' 'Files\BenchKitNsis'
    check_count "NSIS $kind uninstall" "$PROGRAMS/BenchKitNsis" 0
    rm -rf "$PROGRAMS/BenchKitNsis"
  done

  timed "MSI install (msiexec)" "$run" $WINE64 msiexec /i "$(winpath "$DATA/msi/bench.msi")" /qn
  check_count "MSI install (msiexec)" "$PROGRAMS/BenchKitMsi" "$FILES"
  timed "MSI uninstall (msiexec)" "$run" $WINE64 msiexec /x "$(winpath "$DATA/msi/bench.msi")" /qn
  check_count "MSI uninstall (msiexec)" "$PROGRAMS/BenchKitMsi" 0

  rm -rf "$HOSTCOPY"
  timed "cp -r (host)" "$run" cp -r "$DATA/payload" "$HOSTCOPY"
  check_count "cp -r (host)" "$HOSTCOPY" "$FILES"
  timed "rm -r (host)" "$run" rm -r "$HOSTCOPY"
  stop_wineserver "$PREFIX"
done

say "script loading, natively"
LOADBENCH=$WORK/native/bench/script_load_bench
[ $ONLY = 1 ] && LOAD_SIZES=()
for series in components entries; do
  for n in "${LOAD_SIZES[@]}"; do
    t0=$(date +%s)
    rc=0
    /usr/bin/time -f '%M' -o "$WORK/time.out" timeout "$LOAD_LIMIT" "$LOADBENCH" "$series" "$n" 3 \
      >"$WORK/load.out" 2>&1 || rc=$?
    if [ $rc -eq 0 ]; then
      printf 'load\t%s\t%s\t%s\t%s\n' "$series" "$n" "$(cat "$WORK/load.out")" "$(tail -1 "$WORK/time.out")" >>"$RAW"
      echo "  $(cat "$WORK/load.out")"
    else
      printf 'load\t%s\t%s\tstopped after %s s\t\n' "$series" "$n" "$LOAD_LIMIT" >>"$RAW"
      echo "  $series $n: stopped after $LOAD_LIMIT s"
    fi
  done
done
if [ $ONLY = 0 ]; then
  say "the kit checker on a 10,000-component medium, natively (printed only)"
  "$WORK/native/bench/kit_check_bench" 10000 3 "$WORK/kit_check_medium" | sed 's/^/  /'
fi

printf 'meta\tload_end\t%s\n' "$(cut -d' ' -f1-3 /proc/loadavg)" >>"$RAW"

OUT=$ROOT/bench/results.md
[ $ONLY = 1 ] || [ -n "$COMPARE" ] && OUT=$ROOT/bench/results-compare.md
[ $QUICK = 1 ] && OUT=$WORK/results-quick.md
COMMAND="tools/bench"
[ $QUICK = 1 ] && COMMAND+=" --quick"
[ "$RUNS" = 3 ] || COMMAND+=" --runs $RUNS"
[ $ONLY = 1 ] && COMMAND+=" --instally-only"
[ -n "$COMPARE" ] && COMMAND+=" --compare $(basename "$COMPARE")"
python3 "$ROOT/bench/summarise.py" "$RAW" "$COMMAND" >"$OUT"
say "results: $OUT"
cat "$OUT"
