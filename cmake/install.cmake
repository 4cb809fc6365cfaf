# Installation: the library with its headers, a CMake package, a pkg-config file, the template
# tables and the tool.
include(CMakePackageConfigHelpers)

set(QUASIGRID_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/quasigrid)

install(TARGETS quasigrid quasigrid_picture quasigrid_formats EXPORT quasigridTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY platform model horizons editing storage picture
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quasigrid
  FILES_MATCHING PATTERN "*.h" PATTERN "tools" EXCLUDE PATTERN "internal" EXCLUDE)
install(DIRECTORY formats DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quasigrid
  FILES_MATCHING PATTERN "*.h" PATTERN "internal" EXCLUDE)
install(EXPORT quasigridTargets NAMESPACE quasigrid:: DESTINATION ${QUASIGRID_CMAKE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/quasigridConfig.cmake.in
  ${PROJECT_BINARY_DIR}/quasigridConfig.cmake INSTALL_DESTINATION ${QUASIGRID_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/quasigridConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/quasigridConfig.cmake
  ${PROJECT_BINARY_DIR}/quasigridConfigVersion.cmake DESTINATION ${QUASIGRID_CMAKE_DIR})

configure_file(${PROJECT_SOURCE_DIR}/cmake/quasigrid.pc.in ${PROJECT_BINARY_DIR}/quasigrid.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quasigrid.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${QUASIGRID_SAMPLE_DIR}/model.db ${QUASIGRID_SAMPLE_DIR}/modelbk.db
  DESTINATION ${CMAKE_INSTALL_DATADIR}/quasigrid/sample)

if(TARGET quasigrid-cli)
  install(TARGETS quasigrid-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
