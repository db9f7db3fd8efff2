# Installing and packaging the window program.
#
# The program and its Presets folder live together in lib/q6config, so that "the folder Presets
# beside the program file" holds once installed and a package can ship presets there; bin/q6config
# is a relative link to the program (the program finds its folder through /proc/self/exe, which
# the link does not change).
include(GNUInstallDirs)

# The package's maintainer, named in the package, its changelog and the Ansible collection.
set(Q6CONFIG_MAINTAINER "Q6Config maintainers <maintainers@q6config.example.org>")

set(Q6CONFIG_INSTALL_PROGRAMDIR lib/q6config)

install(TARGETS q6config RUNTIME DESTINATION ${Q6CONFIG_INSTALL_PROGRAMDIR})
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/presets/
        DESTINATION ${Q6CONFIG_INSTALL_PROGRAMDIR}/Presets
        FILES_MATCHING PATTERN "*.pre")

# The command-line tool has no folder of its own to find. Its bash and zsh completions are made at
# build time from its --help and the settings table, one template each, and go where bash-completion
# and zsh look for them.
if(TARGET q6config-cli)
  install(TARGETS q6config-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  add_executable(q6config_completions ${CMAKE_CURRENT_SOURCE_DIR}/resources/completions/make_completions.cpp)
  target_link_libraries(q6config_completions PRIVATE q6config_core q6config_warnings)
  set(Q6CONFIG_BASH_COMPLETION ${CMAKE_CURRENT_BINARY_DIR}/packaging/completions/q6config-cli)
  set(Q6CONFIG_ZSH_COMPLETION ${CMAKE_CURRENT_BINARY_DIR}/packaging/completions/_q6config-cli)
  set(Q6CONFIG_COMPLETION_TEMPLATES ${CMAKE_CURRENT_SOURCE_DIR}/resources/completions)
  add_custom_command(OUTPUT ${Q6CONFIG_BASH_COMPLETION} ${Q6CONFIG_ZSH_COMPLETION}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging/completions
                     COMMAND q6config_completions $<TARGET_FILE:q6config-cli>
                             ${Q6CONFIG_COMPLETION_TEMPLATES}/q6config-cli.bash.in ${Q6CONFIG_BASH_COMPLETION}
                     COMMAND q6config_completions $<TARGET_FILE:q6config-cli>
                             ${Q6CONFIG_COMPLETION_TEMPLATES}/q6config-cli.zsh.in ${Q6CONFIG_ZSH_COMPLETION}
                     DEPENDS q6config_completions q6config-cli
                             ${Q6CONFIG_COMPLETION_TEMPLATES}/q6config-cli.bash.in
                             ${Q6CONFIG_COMPLETION_TEMPLATES}/q6config-cli.zsh.in
                     COMMENT "Writing the bash and zsh completions of q6config-cli" VERBATIM)
  add_custom_target(q6config_bash_completion ALL DEPENDS ${Q6CONFIG_BASH_COMPLETION} ${Q6CONFIG_ZSH_COMPLETION})
  install(FILES ${Q6CONFIG_BASH_COMPLETION}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  install(FILES ${Q6CONFIG_ZSH_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
endif()

# The Ansible module and its collection (cmake/ansible_collection.cmake).
if(TARGET q6config_printer)
  include(${CMAKE_CURRENT_LIST_DIR}/ansible_collection.cmake)
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

# The manual pages of both programs, compressed as Debian wants them.
set(Q6CONFIG_MANPAGES)
foreach(page IN ITEMS q6config q6config-cli)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${CMAKE_CURRENT_SOURCE_DIR}/docs/${page}.1
                             ${compressed}
                     DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/${page}.1
                     COMMENT "Compressing the manual page ${page}.1" VERBATIM)
  list(APPEND Q6CONFIG_MANPAGES ${compressed})
endforeach()
add_custom_target(q6config_manpage ALL DEPENDS ${Q6CONFIG_MANPAGES})
install(FILES ${Q6CONFIG_MANPAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Documents: the copyright notice, the Debian changelog made from the version history at every
# build (cmake/debian-changelog.sh), the README and the fleet guide of the command-line tool.
set(Q6CONFIG_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/q6config)
set(Q6CONFIG_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(q6config_changelog ALL
                  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian-changelog.sh
                          ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_VERSION} ${Q6CONFIG_MAINTAINER}
                          ${Q6CONFIG_CHANGELOG}
                  BYPRODUCTS ${Q6CONFIG_CHANGELOG}
                  COMMENT "Writing the Debian changelog from the version history" VERBATIM)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/copyright ${Q6CONFIG_CHANGELOG}
              ${CMAKE_CURRENT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_SOURCE_DIR}/docs/fleet.md
        DESTINATION ${Q6CONFIG_DOCDIR})

# cpack -G DEB: a Debian package whose dependencies dpkg-shlibdeps works out from the binaries.
if(PROJECT_IS_TOP_LEVEL)
  set(CPACK_PACKAGE_NAME q6config)
  set(CPACK_PACKAGE_VENDOR "Q6Config")
  set(CPACK_PACKAGE_CONTACT "${Q6CONFIG_MAINTAINER}")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup utility for QLX600 and QLX500 receipt printers")
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  # Stripped as Debian's own tools strip: the compiler's notes (.comment) go as well.
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/strip-notes.cmake)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The window is laid out for a face with Arial's widths.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
  # Lines of at most 80 characters.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Q6Config changes the memory switch settings of QLX600 and QLX500 thermal\nreceipt printers over the network, a print queue, a serial port or a device\nfile, runs hardware tests and restores the factory settings. The command-line\ntool q6config-cli does the same for many printers at once, from a script.")
  include(CPack)
endif()
