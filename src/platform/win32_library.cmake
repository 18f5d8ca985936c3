# Kavu32.dll: the core archive linked whole into a 32-bit DLL that exports
# exactly the seven stdcall functions under their undecorated names and
# needs nothing beside the system DLLs.
add_library(Kavu32 SHARED ${PROJECT_SOURCE_DIR}/src/interface/exports_anchor.c
                          ${CMAKE_CURRENT_SOURCE_DIR}/platform/kavu32.def)
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
