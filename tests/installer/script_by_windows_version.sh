#!/usr/bin/env bash
# Sets the Windows version Wine reports in its own copy of the clean prefix, then checks
# the OS version code, the script chosen from a medium holding every x64 script (some
# LZ-compressed with mscompress) and where an all-users program group goes.
# Usage: script_by_windows_version.sh PROBE.exe WORK_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
probe=$1 work=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
rm -rf "$work"; mkdir -p "$work/medium"
for name in SetupX64.W7 SetupX64.WVT SetupX64.W23 SetupX64.WXP SetupX64.INF; do
  printf '%s\r\n[Application]\r\n' "$name" >"$work/medium/$name"
done
for name in SetupX64.WVT SetupX64.WXP; do   # stored compressed on the medium
  (cd "$work/medium" && mscompress "$name" && mv -f "$name"_ "$name") || { echo "FAIL mscompress"; exit 1; }
done
winpath() { printf 'Z:%s' "${1//\//\\}"; }
failures=0
check() {   # Wine version name, expected probe output
  local prefix="$work/$1"
  rm -rf "$prefix"; cp -a "$template" "$prefix"
  WINEPREFIX="$prefix" timeout 60 $wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f </dev/null >/dev/null 2>&1
  local got
  got=$(WINEPREFIX="$prefix" timeout 60 $wine "$probe" "$(winpath "$work/medium")" "$(winpath "$work/$1.out")" \
        </dev/null 2>/dev/null | tr -d '\r')
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
  if [ "$got" = "$2" ]; then echo "ok   $1: $got"; else echo "FAIL $1: got '$got', want '$2'"; failures=$((failures + 1)); fi
}
check win95   "code=200 arch=9 chosen=SetupX64.W7 first32=SetupExt.W95 group=user"
check win98   "code=210 arch=9 chosen=SetupX64.W7 first32=SetupExt.W98 group=user"
check winme   "code=290 arch=9 chosen=SetupX64.W7 first32=SetupExt.WME group=user"
check nt40    "code=400 arch=9 chosen=SetupX64.W7 first32=SetupExt.WNT group=common"
check win2k   "code=500 arch=9 chosen=SetupX64.W7 first32=SetupExt.W2K group=common"
check winxp   "code=501 arch=9 chosen=SetupX64.WXP first32=SetupExt.WXP group=common"
check win2003 "code=502 arch=9 chosen=SetupX64.W23 first32=SetupExt.2K3 group=common"
check vista   "code=600 arch=9 chosen=SetupX64.WVT first32=SetupExt.WVT group=common"
check win7    "code=601 arch=9 chosen=SetupX64.W7 first32=SetupExt.W7 group=common"
check win8    "code=602 arch=9 chosen=SetupX64.W7 first32=SetupExt.W7 group=common"
rm -rf "$work"
exit $failures
