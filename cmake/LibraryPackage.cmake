include(CMakePackageConfigHelpers)

# install_c_library(<target> NAME <Package> HEADER <file> DESCRIPTION <text>)
# Installs a shared C library so that other programs build against it: the
# library with its soname and development links, its header as
# include/<target>/<header>, the pkg-config file <target>.pc and the CMake
# package <Package> with the imported target <Package>::<target>. The run-time
# files go to the install component <target>, the rest to <target>-dev.
function(install_c_library target)
  cmake_parse_arguments(LIB "" "NAME;HEADER;DESCRIPTION" "" ${ARGN})
  set(LIB_TARGET ${target})
  get_target_property(LIB_VERSION ${target} VERSION)
  set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${LIB_NAME})
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/package)

  # Callers write either <target/header.h> or <header.h>.
  target_include_directories(${target} INTERFACE
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/${target}>)
  # Shared libraries are not programs: no execute bits.
  install(TARGETS ${target} EXPORT ${LIB_NAME}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
      PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
      COMPONENT ${target}
      NAMELINK_COMPONENT ${target}-dev)
  install(FILES ${LIB_HEADER} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${target} COMPONENT ${target}-dev)

  install(EXPORT ${LIB_NAME}Targets NAMESPACE ${LIB_NAME}:: DESTINATION ${package_dir} COMPONENT ${target}-dev)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/templates/LibraryConfig.cmake.in
    ${generated}/${LIB_NAME}Config.cmake INSTALL_DESTINATION ${package_dir})
  write_basic_package_version_file(${generated}/${LIB_NAME}ConfigVersion.cmake
    VERSION ${LIB_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${generated}/${LIB_NAME}Config.cmake ${generated}/${LIB_NAME}ConfigVersion.cmake
    DESTINATION ${package_dir} COMPONENT ${target}-dev)

  # The prefix is found from where the .pc file lies, so that an installation
  # moved or made with another --prefix still points at its own files.
  file(RELATIVE_PATH pc_up "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig" "${CMAKE_INSTALL_PREFIX}")
  string(REGEX REPLACE "/$" "" pc_up "${pc_up}")
  set(PC_PREFIX "\${pcfiledir}/${pc_up}")
  set(PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
  if(NOT IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
    set(PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  endif()
  if(NOT IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
    set(PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/templates/library.pc.in ${generated}/${target}.pc @ONLY)
  install(FILES ${generated}/${target}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT ${target}-dev)
endfunction()
