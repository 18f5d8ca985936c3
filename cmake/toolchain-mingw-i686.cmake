# Cross-compiling Kavu32.dll for 32-bit Windows with the mingw-w64 i686
# toolchain (Debian: g++-mingw-w64-i686, binutils-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KAVU32_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
