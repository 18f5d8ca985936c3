# Cross-compiling the same sources for 64-bit Windows with the mingw-w64
# x86_64 toolchain (Debian: g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64).
# The product is the 32-bit DLL; this build lets the Windows test host run
# under 64-bit Wine on machines that cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KAVU32_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
