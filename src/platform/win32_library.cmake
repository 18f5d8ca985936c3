# Kavu32.dll: the core archive linked whole into a 32-bit DLL that exports
# exactly the seven stdcall functions under their undecorated names and
# needs nothing beside the system DLLs.
set(kavu32_def ${CMAKE_CURRENT_SOURCE_DIR}/platform/kavu32.def)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # The 64-bit test build: one calling convention, no @N to strip.
  file(READ ${kavu32_def} def_text)
  string(REGEX REPLACE "@[0-9]+" "" def_text "${def_text}")
  set(kavu32_def ${CMAKE_CURRENT_BINARY_DIR}/kavu32.def)
  file(CONFIGURE OUTPUT ${kavu32_def} CONTENT "${def_text}" @ONLY)
endif()
add_library(Kavu32 SHARED ${PROJECT_SOURCE_DIR}/src/interface/exports_anchor.c ${kavu32_def})
target_link_libraries(Kavu32 PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,kavu32_core>)
target_include_directories(Kavu32 PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
set_target_properties(Kavu32 PROPERTIES
  PREFIX "" OUTPUT_NAME Kavu32
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
# --kill-at strips the @N of the .def names; the runtimes are linked in.
target_link_options(Kavu32 PRIVATE -Wl,--kill-at -static -static-libgcc -static-libstdc++)

option(KAVU32_BUILD_WINDOWS_HOST "Build the Windows test host of tests/windows" OFF)
if(KAVU32_BUILD_WINDOWS_HOST)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/windows ${PROJECT_BINARY_DIR}/windows_host)
endif()
