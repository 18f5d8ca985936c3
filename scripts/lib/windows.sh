# Shared by the Windows scripts: the cross toolchains, Wine, and which
# Windows build this machine can run. Source after common.sh.

MINGW32=i686-w64-mingw32
MINGW64=x86_64-w64-mingw32

# can_run_32bit_programs: true when this kernel runs an i386 program. Tries
# one: a 93-byte static ELF that only exits with status 42. Kernels without
# 32-bit support refuse it with "Exec format error".
can_run_32bit_programs() {
  local program status
  program="$(mktemp)"
  printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
    '\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00' \
    '\x00\x10\x00\x00\x31\xdb\xb3\x2a\x31\xc0\x40\xcd\x80' >"$program"
  chmod +x "$program"
  status=0
  "$program" 2>/dev/null || status=$?
  rm -f "$program"
  [ "$status" -eq 42 ]
}

# need_cross_tools: both mingw-w64 toolchains and 64-bit Wine.
need_cross_tools() {
  need_packages g++-mingw-w64-i686 binutils-mingw-w64-i686 \
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
}

# try_wine32: installs 32-bit Wine (it needs the i386 architecture) and
# checks that its loader starts. On failure WINE32_REFUSED says why.
try_wine32() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    forget_package_indexes
  fi
  if ! try_packages wine32:i386; then
    WINE32_REFUSED="wine32:i386 cannot be installed (see above)"
    return 1
  fi
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINE32_REFUSED="wine32 is installed but its loader does not start"
    return 1
  fi
}

# choose_windows_run: sets WINDOWS_BITS to 32 where the 32-bit DLL can be
# run under wine32, else to 64, with WINDOWS_FALLBACK saying why.
# KAVU32_WINDOWS_BITS=64 asks for the 64-bit run on any machine.
choose_windows_run() {
  WINDOWS_BITS=32
  WINDOWS_FALLBACK=""
  if [ "${KAVU32_WINDOWS_BITS:-}" = 64 ]; then
    WINDOWS_FALLBACK="KAVU32_WINDOWS_BITS=64 asks for it"
  elif ! can_run_32bit_programs; then
    WINDOWS_FALLBACK="this kernel does not run 32-bit programs"
  elif ! try_wine32; then
    WINDOWS_FALLBACK="$WINE32_REFUSED"
  fi
  [ -z "$WINDOWS_FALLBACK" ] || WINDOWS_BITS=64
}

# dll_exports DLL OBJDUMP: the names DLL exports, sorted, one a line.
dll_exports() {
  "$2" -p "$1" |
    awk '/\[Ordinal\/Name Pointer\] Table/ { table = 1; next } NF == 0 { table = 0 } table && /^\t\[/ { print $NF }' |
    sort
}

# The Wine loader for a build of BITS bits (Debian keeps both off PATH).
wine_for() {
  if [ "$1" = 32 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# Quiet, display-less Wine in a prefix of its own under FOLDER.
wine_environment() {
  export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all DISPLAY= KAVU32_MESSAGES=stderr
  export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko set-up dialogs
}

# build_windows DIR BITS [CMAKE ARGS...]: the cross build of Kavu32.dll.
build_windows() {
  local dir="$1" bits="$2"; shift 2
  local toolchain="$ROOT/cmake/toolchain-mingw-i686.cmake"
  [ "$bits" = 32 ] || toolchain="$ROOT/cmake/toolchain-mingw-x86_64.cmake"
  configure_and_build "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$@"
}
