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

# kavu32_add_dll(NAME [SOURCES...]): NAME.dll made of the core and SOURCES,
# exporting the seven functions (and what SOURCES export on their own).
function(kavu32_add_dll name)
  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/src/interface/exports_anchor.c ${kavu32_def} ${ARGN})
  target_link_libraries(${name} PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,kavu32_core>)
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
  set_target_properties(${name} PROPERTIES
    PREFIX "" OUTPUT_NAME ${name}
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  # --kill-at strips the @N of the .def names; the runtimes are linked in.
  target_link_options(${name} PRIVATE -Wl,--kill-at -static -static-libgcc -static-libstdc++)
endfunction()

kavu32_add_dll(Kavu32)

option(KAVU32_BUILD_WINDOWS_HOST "Build the Windows test host of tests/windows" OFF)
if(KAVU32_BUILD_WINDOWS_HOST)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/windows ${PROJECT_BINARY_DIR}/windows_host)
endif()
