# What `cmake --install` puts in place beside the two programs, and the .deb
# that CPack makes of it.

set(BRISEL_APP_ID io.github.brisel.Brisel)
set(BRISEL_DIST ${PROJECT_SOURCE_DIR}/dist)
set(BRISEL_DATA ${CMAKE_INSTALL_DATADIR}/brisel)

# Tells an installed program from a portable copy: only the install step puts
# it beside the samples, so the build tree and an unpacked folder keep their
# settings beside the executable while an installed program keeps them in the
# user's configuration folder, wherever the tree was staged or moved.
install(FILES ${BRISEL_DIST}/installed DESTINATION ${BRISEL_DATA})

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brisel
        RENAME copyright)
install(FILES ${BRISEL_DIST}/brisel-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${BRISEL_DIST}/brisel-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME brisel-cli)
if(BRISEL_WINDOW)
  install(FILES ${BRISEL_DIST}/brisel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${BRISEL_DIST}/${BRISEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${BRISEL_DIST}/${BRISEL_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${BRISEL_DIST}/${BRISEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# cpack -G DEB in a Release build: brisel_VERSION_ARCH.deb, its dependencies
# found by dpkg-shlibdeps from the programs themselves.
set(CPACK_PACKAGE_NAME brisel)
set(CPACK_PACKAGE_VENDOR "Brisel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "placement data to QPF and ZIRKAN machine programs")
# One text: lines of its own, which the control file keeps.
set(CPACK_PACKAGE_DESCRIPTION "\
Brisel prepares the placement data of a printed circuit board for the
assembly line. It reads the board's coordinate files (REP, MNT, TXT),
completes them from CMP and BOM files, corrects them with rotation rules,
a new origin, sorting and deletion, and writes a binary QPF machine program
and a ZIRKAN text file.
The package holds the window (brisel), the command line (brisel-cli) and a
sample board.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brisel developers <brisel@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (dialog buttons, file dialogs) in the window's language; the
# window works without them, in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/brisel/brisel")
find_program(BRISEL_DPKG dpkg)
if(BRISEL_DPKG)
  execute_process(COMMAND ${BRISEL_DPKG} --print-architecture OUTPUT_VARIABLE BRISEL_DEB_ARCH
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
  set(BRISEL_DEB_ARCH ${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${BRISEL_DEB_ARCH})
set(CPACK_DEBIAN_FILE_NAME brisel_${PROJECT_VERSION}_${BRISEL_DEB_ARCH}.deb)
set(CPACK_GENERATOR DEB)
include(CPack)
