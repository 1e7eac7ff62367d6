# The Debian package: the three programs, a desktop entry with its icon, manual pages written from
# the programs' own --help, and a note on the 'dialout' group after installing. `cpack` (or the
# `package` target) builds it into build/package; dpkg-shlibdeps finds the libraries it needs.
include(GNUInstallDirs)

set(kelm_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(kelm_man ${CMAKE_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${kelm_man})
set(kelm_manpages)
foreach(entry "kelmctl|command-line companion of kldiag for KELM fiscal printers"
              "kelmemu|virtual KELM fiscal printer on a pseudo-terminal or TCP port")
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 program)
  list(GET entry 1 summary)
  add_custom_command(
    OUTPUT ${kelm_man}/${program}.1.gz
    COMMAND ${kelm_packaging}/manpage.sh $<TARGET_FILE:${program}> ${program} ${PROJECT_VERSION}
            "${summary}" ${kelm_man}/${program}.1.gz
    DEPENDS ${program} ${kelm_packaging}/manpage.sh
    COMMENT "Manual page of ${program}")
  list(APPEND kelm_manpages ${kelm_man}/${program}.1.gz)
endforeach()
# kldiag takes no options: its page is written by hand.
add_custom_command(
  OUTPUT ${kelm_man}/kldiag.1.gz
  COMMAND gzip -9n -c ${kelm_packaging}/kldiag.1 > ${kelm_man}/kldiag.1.gz
  DEPENDS ${kelm_packaging}/kldiag.1
  COMMENT "Manual page of kldiag")
list(APPEND kelm_manpages ${kelm_man}/kldiag.1.gz)
add_custom_target(manpages ALL DEPENDS ${kelm_manpages})

install(TARGETS kldiag kelmctl kelmemu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${kelm_manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${kelm_packaging}/kldiag.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${kelm_packaging}/kldiag.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kldiag)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "kldiag developers <kldiag@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service and test program for KELM fiscal printers")
# The summary is the first line of the package's description; these lines follow it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "kldiag sets up, tests and reads out KELM fiscal printers over a serial
port or TCP/IP. kelmctl runs the same work from the command line, and
kelmemu is a virtual printer to try both without a real one.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which Qt's own libraries only recommend.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own buttons and dialogs in the program's language; without them they stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${kelm_packaging}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
