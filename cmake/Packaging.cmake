# Installation (make install / make uninstall) and the Debian package (make deb).
include(GNUInstallDirs)

install(TARGETS kadero kadero-newdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program recognises an installed copy by this desktop entry beside its
# bin folder (share/applications/kadero.desktop) and then keeps KD.ini in the
# user's configuration folder.
install(FILES resources/kadero.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/org.kadero.Kadero.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  if(size EQUAL 256)
    set(picture resources/icons/kadero.png)
  else()
    set(picture resources/icons/kadero-${size}.png)
  endif()
  install(FILES ${picture} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kadero.png)
endforeach()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Removes what the last install wrote (install_manifest.txt), then the folders
# that it left empty below the data folder.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt -P ${CMAKE_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing the installed files")

# The validators check the files that the package installs.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE AND APPSTREAMCLI)
  add_test(NAME desktop-entry COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/resources/kadero.desktop)
  add_test(NAME metainfo COMMAND ${APPSTREAMCLI} validate --no-net ${CMAKE_SOURCE_DIR}/resources/org.kadero.Kadero.metainfo.xml)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kadero)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kadero developers <kadero@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contract ledger for a company's contract office")
set(CPACK_PACKAGE_DESCRIPTION "Kadero keeps the contracts of a company's contract office and follows what
has been planned, paid and invoiced against each: a project tree with contract
and payment grids, payment reminders, a printed execution report, an execution
summary with charts, spreadsheet export, users with per-user menu rights, an
audit log and backups. Chinese user interface; data in one SQLite file.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries' own dependencies cannot show: Qt's SQLite driver is a
# plug-in, the fonts are looked up by name, Qt's Chinese texts are data files;
# dpkg-shlibdeps adds the libraries the programs link (Qt Charts among them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, fonts-noto-cjk, fonts-wqy-zenhei, fonts-liberation2, qt6-translations-l10n")
# The export opens its workbook in the spreadsheet program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql-client")
include(CPack)
