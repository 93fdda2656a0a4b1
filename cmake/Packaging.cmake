# What `cmake --install` puts where, and the Debian package built from it with CPack.

install(FILES ${KAVIO_SOURCE_DIR}/resources/de.kavio.Kavio.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KAVIO_SOURCE_DIR}/resources/de.kavio.Kavio.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KAVIO_SOURCE_DIR}/resources/icons/kavio.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${KAVIO_SOURCE_DIR}/resources/icons/kavio-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kavio.png)
endforeach()
install(FILES ${KAVIO_SOURCE_DIR}/docs/kavio-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavio)
set(CPACK_PACKAGE_VERSION ${KAVIO_FILE_VERSION})
set(CPACK_PACKAGE_VENDOR "Kavio")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Exportierten Maildateien Datum und Absender geben")
set(CPACK_PACKAGE_DESCRIPTION
    "Kavio liest aus exportierten E-Mails (.eml, Outlook-.msg) Datum und Absender, zeigt die neuen\n"
    "Namen und Dateizeiten neben den jetzigen und benennt und datiert die Dateien nach einer\n"
    "Bestaetigung um, auf Wunsch mit Zip-Backup. Der Inhalt der Mails bleibt unveraendert.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kavio-Entwickler <kavio@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Run-time dependencies worked out by dpkg-shlibdeps from the binaries, plus what they load
# by name at run time: Qt's German texts and the platform plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-qpa-plugins")
# Wine's free Tahoma gives the window the metrics it was laid out for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
set(CPACK_STRIP_FILES ON)
include(CPack)
