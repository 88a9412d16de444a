# Installation extras and the Debian packages (cpack -G DEB): the manual pages, the user
# service that runs the alarms, the documentation files, and each package's control data.
# The desktop entry, MIME type and icons are installed by res/.
#
#   wakeburst  the command-line tool, wakeburst(1), the user service; needs the C library only
#   dawnly     the desktop program, its desktop entry, MIME type, icons and dawnly(1)
if(NOT UNIX OR APPLE)
  return()
endif()

find_program(WAKEBURST_GZIP gzip REQUIRED)
set(pkg_out ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${pkg_out} ${pkg_out}/zh_CN)

# Compressed with -n (no name or time stamp inside), so the same sources give the same
# packages.
function(wakeburst_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${WAKEBURST_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# Manual pages, written by hand in res/man: English, and Chinese in res/man/zh_CN.
foreach(page wakeburst dawnly)
  wakeburst_gzip(${PROJECT_SOURCE_DIR}/res/man/${page}.1 ${pkg_out}/${page}.1.gz)
  wakeburst_gzip(${PROJECT_SOURCE_DIR}/res/man/zh_CN/${page}.1 ${pkg_out}/zh_CN/${page}.1.gz)
endforeach()
# The changelog of both packages, in the form Debian's tools read.
wakeburst_gzip(${PROJECT_SOURCE_DIR}/res/debian/changelog ${pkg_out}/changelog.gz)
add_custom_target(wakeburst_package_files ALL
  DEPENDS ${pkg_out}/wakeburst.1.gz ${pkg_out}/dawnly.1.gz ${pkg_out}/zh_CN/wakeburst.1.gz
          ${pkg_out}/zh_CN/dawnly.1.gz ${pkg_out}/changelog.gz)

install(FILES ${pkg_out}/wakeburst.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT wakeburst)
install(FILES ${pkg_out}/dawnly.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT dawnly)
install(FILES ${pkg_out}/zh_CN/wakeburst.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1
        COMPONENT wakeburst)
install(FILES ${pkg_out}/zh_CN/dawnly.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1
        COMPONENT dawnly)
foreach(component wakeburst dawnly)
  install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright ${pkg_out}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${component} COMPONENT ${component})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wakeburst
        COMPONENT wakeburst)

# The scheduler as a systemd user service; installed, never enabled by the package.
configure_file(${PROJECT_SOURCE_DIR}/res/wakeburst-alarms.service.in
               ${pkg_out}/wakeburst-alarms.service @ONLY)
install(FILES ${pkg_out}/wakeburst-alarms.service DESTINATION lib/systemd/user
        COMPONENT wakeburst)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
if(TARGET dawnly)
  set(CPACK_COMPONENTS_ALL wakeburst dawnly)
else()
  set(CPACK_COMPONENTS_ALL wakeburst)
endif()
set(CPACK_PACKAGE_NAME wakeburst)
set(CPACK_PACKAGE_VENDOR "Wakeburst Utility")
set(CPACK_PACKAGE_CONTACT "Wakeburst Utility developers <wakeburst@example.org>")
set(CPACK_DEBIAN_PACKAGE_SOURCE wakeburst)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_WAKEBURST_PACKAGE_NAME wakeburst)
set(CPACK_COMPONENT_WAKEBURST_DESCRIPTION
    "Wake-on-LAN tool: wake hosts and host groups on a schedule
wakeburst switches on the machines of a local network from afar with
Wake-on-LAN frames (UDP port 2304). It wakes one host or every host of a
host-list file (.mp), keeps weekly group alarms and writes a wake log, and
builds host lists of the local subnet from the ARP cache.

This package holds the command-line tool and a systemd user service,
wakeburst-alarms, that runs the alarms without a desktop (not enabled by
default). It needs no graphical libraries; the desktop program is in the
package dawnly.")
set(CPACK_DEBIAN_WAKEBURST_PACKAGE_SECTION net)

set(CPACK_DEBIAN_DAWNLY_PACKAGE_NAME dawnly)
set(CPACK_DEBIAN_DAWNLY_PACKAGE_SECTION net)
set(CPACK_DEBIAN_DAWNLY_PACKAGE_DEPENDS
    "wakeburst (= ${PROJECT_VERSION}), qt6-translations-l10n")
set(CPACK_DEBIAN_DAWNLY_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_COMPONENT_DAWNLY_DESCRIPTION
    "Wake-on-LAN desktop program: wake hosts, host lists, group alarms
dawnly is the desktop program of Wakeburst Utility, which switches on the
machines of a local network from afar with Wake-on-LAN frames. It opens,
edits and prints host-list files (.mp) in a multi-document window, builds
host lists of the local subnet, wakes one host from a dialog and wakes
groups of hosts on a weekly schedule while it runs.

Its alarms are the ones that the wakeburst tool and its user service keep,
in ~/.local/share/wakeburst when it is started from the desktop menu.")

include(CPack)
