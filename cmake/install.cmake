# Installation: the header, libkavu32.so with its SONAME links, the tools,
# the bundled data set, the manual pages, and the files that let other projects find the
# library: a CMake package (find_package(Kavu32) gives Kavu32::kavu32) and a
# pkg-config file (kavu32.pc). Both are relocatable: they locate the prefix
# from where they were installed.
if(NOT TARGET kavu32)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KAVU32_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Kavu32)
set(KAVU32_PACKAGE_BUILD_DIR ${PROJECT_BINARY_DIR}/package)

install(TARGETS kavu32 EXPORT Kavu32Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/kavu32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The manual pages go with what they describe: kavu32(3) with the library,
# dtf(1) and kavu(1) with their tools, dtf(5), the table format, with dtf.
set(KAVU32_MAN_SOURCE_DIR ${PROJECT_SOURCE_DIR}/docs/man)
install(FILES ${KAVU32_MAN_SOURCE_DIR}/kavu32.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3)
foreach(tool dtf kavu)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${KAVU32_MAN_SOURCE_DIR}/${tool}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
if(TARGET dtf)
  install(FILES ${KAVU32_MAN_SOURCE_DIR}/dtf.5 DESTINATION ${CMAKE_INSTALL_MANDIR}/man5)
endif()

if(TARGET kavu32_data)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/data/tables ${PROJECT_BINARY_DIR}/data/graphics
          DESTINATION ${CMAKE_INSTALL_DATADIR}/kavu32)
endif()

install(EXPORT Kavu32Targets NAMESPACE Kavu32:: DESTINATION ${KAVU32_PACKAGE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/Kavu32Config.cmake.in
  ${KAVU32_PACKAGE_BUILD_DIR}/Kavu32Config.cmake
  INSTALL_DESTINATION ${KAVU32_PACKAGE_DIR})
write_basic_package_version_file(${KAVU32_PACKAGE_BUILD_DIR}/Kavu32ConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${KAVU32_PACKAGE_BUILD_DIR}/Kavu32Config.cmake
              ${KAVU32_PACKAGE_BUILD_DIR}/Kavu32ConfigVersion.cmake
        DESTINATION ${KAVU32_PACKAGE_DIR})

# kavu32.pc names its prefix relative to its own folder.
file(RELATIVE_PATH KAVU32_PC_TO_PREFIX
     ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" KAVU32_PC_TO_PREFIX "${KAVU32_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/kavu32.pc.in ${KAVU32_PACKAGE_BUILD_DIR}/kavu32.pc @ONLY)
install(FILES ${KAVU32_PACKAGE_BUILD_DIR}/kavu32.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
