# Installation extras and the Debian package (cpack -G DEB): the manual page of wakeburst,
# the user service that runs the alarms, and the package's control data. The desktop entry,
# MIME type and icons are installed by res/.
if(NOT UNIX OR APPLE)
  return()
endif()
include(GNUInstallDirs)

# wakeburst(1), generated from the tool's --help at build time.
set(man_dir ${CMAKE_BINARY_DIR}/man)
set(man_page ${man_dir}/wakeburst.1)
add_custom_command(
  OUTPUT ${man_page}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
  COMMAND ${CMAKE_COMMAND} -DWAKEBURST_EXE=$<TARGET_FILE:wakeburst> -DMAN_OUT=${man_page} -P
          ${CMAKE_CURRENT_LIST_DIR}/WakeburstManPage.cmake
  DEPENDS wakeburst ${CMAKE_CURRENT_LIST_DIR}/WakeburstManPage.cmake
  COMMENT "Writing the manual page wakeburst.1")
find_program(WAKEBURST_GZIP gzip)
if(WAKEBURST_GZIP)
  # -n: no name or time stamp inside, so the same sources give the same package.
  add_custom_command(
    OUTPUT ${man_page}.gz
    COMMAND ${WAKEBURST_GZIP} -9nf -k ${man_page}
    DEPENDS ${man_page})
  set(man_installed ${man_page}.gz)
else()
  set(man_installed ${man_page})
endif()
add_custom_target(wakeburst_man ALL DEPENDS ${man_installed})
install(FILES ${man_installed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The scheduler as a systemd user service; installed, never enabled by the package.
configure_file(${PROJECT_SOURCE_DIR}/res/wakeburst-alarms.service.in
               ${CMAKE_BINARY_DIR}/wakeburst-alarms.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/wakeburst-alarms.service DESTINATION lib/systemd/user)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wakeburst)
set(CPACK_PACKAGE_VENDOR "Wakeburst Utility")
set(CPACK_PACKAGE_CONTACT "Wakeburst Utility developers <wakeburst@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Wake-on-LAN: wake single hosts, groups on a weekly schedule, build host lists")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Wakeburst Utility switches on the machines of a local network from afar with
 Wake-on-LAN frames (UDP port 2304). It wakes one host now, wakes groups of hosts
 on a weekly schedule and writes a wake log, and builds host-list files (.mp) of
 the local subnet from the ARP cache.
 .
 This package holds the desktop program dawnly (Qt 6), the command-line tool
 wakeburst, and a systemd user service, wakeburst-alarms, that runs the schedule
 without a desktop (not enabled by default).")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
include(CPack)
