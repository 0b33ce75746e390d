# Shared by tools/test, tools/demo and the other tools: set-up, builds and the Wine prefix.
# shellcheck shell=bash
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
WINE64=/usr/lib/wine/wine64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

PACKAGES=(cmake g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb xauth xdotool
          imagemagick x11-apps mscompress xorriso clang-14 libfuzzer-14-dev libclang-rt-14-dev googletest
          locales python3)
# The virtual machine that runs the x86 build (tools/vm).
VM_PACKAGES=(qemu-system-x86 mmdebstrap busybox-static cpio)

say() { printf '\n== %s\n' "$*"; }

ensure_packages() { install_missing "${PACKAGES[@]}"; }
ensure_vm_packages() { install_missing "${VM_PACKAGES[@]}"; }

install_missing() {   # package...
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine names host files in the host's character set: a path with a Japanese, Chinese or
# Korean name fails under that locale unless its UTF-8 locale is generated on the host.
LOCALES=(ja_JP.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 ko_KR.UTF-8)
ensure_locales() {
  local missing=() l
  for l in "${LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf8" || missing+=("$l")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "generating locales: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  for l in "${missing[@]}"; do
    grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen >/dev/null
}

configure_and_build() {   # name, extra cmake arguments...
  local name=$1; shift
  cmake -S "$ROOT" -B "$BUILD/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$BUILD/$name.configure.log" 2>&1 ||
    { cat "$BUILD/$name.configure.log"; return 1; }
  cmake --build "$BUILD/$name" -j "$JOBS" 2>&1 | grep -E 'error|warning: unused|Error' || true
  cmake --build "$BUILD/$name" -j "$JOBS" >/dev/null
}

build_native() {
  mkdir -p "$BUILD"
  configure_and_build native -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
}
build_windows() {   # x86_64 or i686
  mkdir -p "$BUILD"
  local dir=x64; [ "$1" = i686 ] && dir=x86
  build_host_kitcheck
  configure_and_build "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$1-w64-mingw32.cmake" \
    -DHOST_KITCHECK="$BUILD/native/kit/kitcheck"
}
# The sample medium is made by the build machine's kitcheck (lzpack beside it for the tests):
# only those targets of the native tree.
build_host_kitcheck() {
  [ -f "$BUILD/native/CMakeCache.txt" ] ||
    cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang-14 \
      -DCMAKE_CXX_COMPILER=clang++-14 >"$BUILD/native.configure.log" 2>&1 || { cat "$BUILD/native.configure.log"; return 1; }
  cmake --build "$BUILD/native" --target kitcheck lzpack -j "$JOBS" >/dev/null
}

# A Wine prefix made once (the template) and copied for each run, so that every
# run starts from a clean machine. Wine's helpers must not hold our stdout/stderr.
make_wine_template() {   # path
  local t=$1
  [ -f "$t/.ready" ] && return 0
  rm -rf "$t"; mkdir -p "$(dirname "$t")"
  say "making a Wine prefix (once)"
  WINEPREFIX="$t" $WINE64 wineboot -i </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$t" /usr/lib/wine/wineserver -w
  # Null graphics driver: windows and dialogs work without a display.
  WINEPREFIX="$t" $WINE64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
  WINEPREFIX="$t" /usr/lib/wine/wineserver -w
  # The user's folders must not point into the host's home directory.
  local d
  for d in "$t"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$d" ]; then rm -f "$d"; mkdir -p "$d"; fi
  done
  touch "$t/.ready"
}

fresh_prefix() {   # template, target
  WINEPREFIX="$2" /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$2"; mkdir -p "$(dirname "$2")"; cp -a "$1" "$2"
}

start_wineserver() {   # prefix
  WINEPREFIX="$1" /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  WINEPREFIX="$1" $WINE64 wineboot </dev/null >/dev/null 2>&1 || true
}
stop_wineserver() {    # prefix
  WINEPREFIX="$1" /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
}
