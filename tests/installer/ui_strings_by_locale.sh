#!/usr/bin/env bash
# Starts a Wine server per system language in its own copy of the clean prefix and
# checks that the installer's strings come out in that language and its code page.
# Usage: ui_strings_by_locale.sh PROBE.exe WORK_DIR   (TEMPLATE_PREFIX names the clean prefix)
set -u
probe=$1 work=$2
template=${TEMPLATE_PREFIX:?TEMPLATE_PREFIX must name a clean Wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
failures=0
check() {   # locale, expected "1=...|29=..."
  local prefix="$work/${1%%.*}"
  rm -rf "$prefix"; mkdir -p "$work"; cp -a "$template" "$prefix"
  local got
  got=$(LC_ALL="$1" LANG="$1" WINEPREFIX="$prefix" timeout 120 /usr/lib/wine/wine64 "$probe" 1 29 </dev/null 2>/dev/null |
        tr -d '\r' | paste -sd'|')
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
  if [ "$got" = "$2" ]; then echo "ok   $1: $got"; else echo "FAIL $1: got '$got', want '$2'"; failures=$((failures + 1)); fi
}
check ar_SA.UTF-8 "1=تعذرت تهيئة البرنامج.|29=الإعداد"
check zh_TW.UTF-8 "1=無法初始化程式。|29=安裝"
check de_DE.UTF-8 "1=Das Programm kann nicht initialisiert werden.|29=Setup"
check es_ES.UTF-8 "1=No se puede inicializar el programa.|29=Instalación"
check fr_FR.UTF-8 "1=Impossible d'initialiser le programme.|29=Installation"
check ja_JP.UTF-8 "1=プログラムを初期化できません。|29=セットアップ"
check ko_KR.UTF-8 "1=프로그램을 초기화할 수 없습니다.|29=설치"
check nl_NL.UTF-8 "1=Het programma kan niet worden geïnitialiseerd.|29=Setup"
check pl_PL.UTF-8 "1=Nie można zainicjować programu.|29=Instalator"
check pt_BR.UTF-8 "1=Não é possível inicializar o programa.|29=Instalação"
check ru_RU.UTF-8 "1=Не удается инициализировать программу.|29=Установка"
# Chinese (PRC) runs with the thread language 1028, so the traditional texts load, in code page 936.
check zh_CN.UTF-8 "1=無法初始化程式。|29=安裝"
check en_US.UTF-8 "1=Cannot initialize program.|29=Setup"
exit $failures
