# Kavu32.dll: every layer's objects linked into a 32-bit DLL that exports
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

# kavu32_add_dll(NAME [SOURCES...]): NAME.dll made of the layers and SOURCES,
# exporting the seven functions (and what SOURCES export on their own).
function(kavu32_add_dll name)
  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/src/interface/exports_anchor.c ${kavu32_def} ${ARGN})
  target_link_libraries(${name} PRIVATE ${kavu32_layer_targets})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
  set_target_properties(${name} PROPERTIES
    PREFIX "" OUTPUT_NAME ${name}
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  # --kill-at strips the @N of the .def names; the runtimes are linked in.
  target_link_options(${name} PRIVATE -Wl,--kill-at -static -static-libgcc -static-libstdc++)
endfunction()

kavu32_add_dll(Kavu32)
if(NOT CMAKE_DLLTOOL)
  # A toolchain file of another's: the dlltool named as its compiler is.
  get_filename_component(compiler_name ${CMAKE_C_COMPILER} NAME)
  string(REGEX REPLACE "gcc(-[0-9.]+)?(\\.exe)?$" "dlltool" dlltool_name "${compiler_name}")
  find_program(CMAKE_DLLTOOL NAMES ${dlltool_name} dlltool REQUIRED)
endif()
# The linker's own import library keeps the names the DLL exports, without
# the @N that a stdcall caller refers to (_GetData@8); dlltool --kill-at
# writes one whose decorated names import the undecorated exports.
add_custom_command(TARGET Kavu32 POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${kavu32_def} --dllname Kavu32.dll
          --output-lib $<TARGET_LINKER_FILE:Kavu32>
  VERBATIM)

option(KAVU32_BUILD_WINDOWS_HOST "Build the Windows test host of tests/windows" OFF)
if(KAVU32_BUILD_WINDOWS_HOST)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/windows ${PROJECT_BINARY_DIR}/windows_host)
endif()
