# Installing and packaging the window program.
#
# The program and its Presets folder live together in lib/q6config, so that "the folder Presets
# beside the program file" holds once installed and a package can ship presets there; bin/q6config
# is a relative link to the program (the program finds its folder through /proc/self/exe, which
# the link does not change).
include(GNUInstallDirs)

set(Q6CONFIG_INSTALL_PROGRAMDIR lib/q6config)

install(TARGETS q6config RUNTIME DESTINATION ${Q6CONFIG_INSTALL_PROGRAMDIR})
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/presets/
        DESTINATION ${Q6CONFIG_INSTALL_PROGRAMDIR}/Presets
        FILES_MATCHING PATTERN "*.pre")

# The command-line tool has no folder of its own to find.
if(TARGET q6config-cli)
  install(TARGETS q6config-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

file(RELATIVE_PATH Q6CONFIG_PROGRAM_LINK /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${Q6CONFIG_INSTALL_PROGRAMDIR}/q6config)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(CREATE_LINK ${Q6CONFIG_PROGRAM_LINK} ${CMAKE_CURRENT_BINARY_DIR}/packaging/q6config SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/q6config DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop integration: menu entry, AppStream metainfo, icons in the hicolor theme, manual page.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/q6config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/org.q6config.q6config.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/q6config.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/q6config.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(Q6CONFIG_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/packaging/q6config.1.gz)
add_custom_command(OUTPUT ${Q6CONFIG_MANPAGE}
                   COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${CMAKE_CURRENT_SOURCE_DIR}/docs/q6config.1
                           ${Q6CONFIG_MANPAGE}
                   DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/q6config.1
                   COMMENT "Compressing the manual page" VERBATIM)
add_custom_target(q6config_manpage ALL DEPENDS ${Q6CONFIG_MANPAGE})
install(FILES ${Q6CONFIG_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/q6config)

# cpack -G DEB: a Debian package whose dependencies dpkg-shlibdeps works out from the binaries.
if(PROJECT_IS_TOP_LEVEL)
  set(CPACK_PACKAGE_NAME q6config)
  set(CPACK_PACKAGE_VENDOR "Q6Config")
  set(CPACK_PACKAGE_CONTACT "Q6Config maintainers <q6config@localhost>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup utility for QLX600 and QLX500 receipt printers")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The window is laid out for a face with Arial's widths.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Q6Config changes the memory switch settings of QLX600 and QLX500 thermal receipt\nprinters over the network, a print queue, a serial port or a device file, runs\nhardware tests and restores the factory settings.")
  include(CPack)
endif()
