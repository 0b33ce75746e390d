#!/usr/bin/env bash
# Runs the launcher's reading of one "setup.inf" with a Wine server started in each
# language (the system language is fixed when the server starts), each in its own copy
# of the clean prefix. Usage: language_runs.sh PROBE.exe WORK_DIR (TEMPLATE_PREFIX set)
set -u
probe=$1 work=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
failures=0
check() {   # locale, expected output
  local prefix="$work/${1%%.*}"
  rm -rf "$prefix"; mkdir -p "$work"; cp -a "$template" "$prefix"
  mkdir -p "$prefix/drive_c/medium"
  printf '%s\r\n' \
    '[ItemsParameter.all]' 'FontFace=Tahoma' 'BKPicture=all.bmp' \
    '[ItemsParameter]' 'BKPicture=plain.bmp' \
    '[ItemsParameter.deu]' 'BKPicture=deu.bmp' \
    '[Items.all]' 'Setup=Setup' \
    '[Items]' 'Quit=Exit' \
    '[Items.deu]' 'Quit=Beenden' \
    '[Setup.all]' 'Type=EXECUTEFILE' 'exe=Instally.exe' 'ExeParameter=/S' \
    '[Setup.deu]' 'exe=InstDeu.exe' \
    '[Setup]' 'exe=InstPlain.exe' >"$prefix/drive_c/medium/setup.inf"
  local got
  got=$(LC_ALL="$1" LANG="$1" WINEPREFIX="$prefix" timeout 120 /usr/lib/wine/wine64 "$probe" 'C:\medium\setup.inf' \
        </dev/null 2>/dev/null | tr -d '\r')
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
  if [ "$got" = "$2" ]; then echo "ok   $1: $got"; else echo "FAIL $1: got '$got', want '$2'"; failures=$((failures + 1)); fi
}
check de_DE.UTF-8 "suffix=.deu picture=deu.bmp font=Tahoma items=Setup:Setup,Quit:Beenden exe=InstDeu.exe parameters=/S"
check he_IL.UTF-8 "suffix= picture=plain.bmp font=Tahoma items=Setup:Setup,Quit:Exit exe=InstPlain.exe parameters=/S"
check fr_FR.UTF-8 "suffix=.fra picture=plain.bmp font=Tahoma items=Setup:Setup,Quit:Exit exe=InstPlain.exe parameters=/S"
exit $failures
