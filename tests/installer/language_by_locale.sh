#!/usr/bin/env bash
# Starts a Wine server per language (the system language is fixed when the server
# starts) in its own copy of the clean prefix and checks what start-up derives.
# Usage: language_by_locale.sh PROBE.exe WORK_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
probe=$1 work=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
failures=0
check() {   # locale, expected "system=.. thread=.. suffix=.. charset=.."
  local prefix="$work/${1%%.*}"
  rm -rf "$prefix"; mkdir -p "$work"; cp -a "$template" "$prefix"
  local got
  got=$(LC_ALL="$1" LANG="$1" WINEPREFIX="$prefix" timeout 120 /usr/lib/wine/wine64 "$probe" </dev/null 2>/dev/null | tr -d '\r')
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
  if [ "$got" = "$2" ]; then echo "ok   $1: $got"; else echo "FAIL $1: got '$got', want '$2'"; failures=$((failures + 1)); fi
}
check de_DE.UTF-8 "system=1031 thread=1031 suffix=.deu charset=1"
check zh_CN.UTF-8 "system=2052 thread=1028 suffix=.chs charset=134"
check zh_TW.UTF-8 "system=1028 thread=1028 suffix=.cht charset=136"
check pt_PT.UTF-8 "system=2070 thread=1046 suffix=.ptg charset=1"
check pt_BR.UTF-8 "system=1046 thread=1046 suffix=.bra charset=1"
check he_IL.UTF-8 "system=1037 thread=1037 suffix= charset=1"
check ja_JP.UTF-8 "system=1041 thread=1041 suffix=.jpn charset=128"
check en_US.UTF-8 "system=1033 thread=1033 suffix=.enu charset=1"
exit $failures
