# What an installation holds besides the programs and the help pages (installed where they are
# built): the desktop entry, the icon and the Qt translations the program loads, and the .deb.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zentrix-8x20.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zentrix-8x20.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zentrix-8x20.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

if(ZENTRIX_GUI)
    # A copy under share/zentrix/translations, which the program reads before the system's.
    find_program(ZENTRIX_QMAKE NAMES qmake6 qmake PATHS /usr/lib/qt6/bin)
    if(ZENTRIX_QMAKE)
        execute_process(COMMAND ${ZENTRIX_QMAKE} -query QT_INSTALL_TRANSLATIONS
                        OUTPUT_VARIABLE ZENTRIX_QT_TRANSLATIONS OUTPUT_STRIP_TRAILING_WHITESPACE
                        ERROR_QUIET)
    endif()
    find_file(ZENTRIX_QTBASE_RU qtbase_ru.qm
              PATHS ${ZENTRIX_QT_TRANSLATIONS} /usr/share/qt6/translations NO_DEFAULT_PATH)
    if(ZENTRIX_QTBASE_RU)
        install(FILES ${ZENTRIX_QTBASE_RU} DESTINATION ${CMAKE_INSTALL_DATADIR}/zentrix/translations)
    else()
        message(WARNING "qtbase_ru.qm not found: the installation uses the system's Qt translations")
    endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentrix-8x20)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zentrix 8x20")
set(CPACK_PACKAGE_CONTACT "Zentrix 8x20 <zentrix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Draw archive analyzer for the 8 of 20 lottery")
set(CPACK_PACKAGE_DESCRIPTION
    "Statistics of the draw archive, scenarios and forecasts, stakes and their ratings, with a \
desktop program (Zentrix_8x20), a command line (zentrix-cli) and the catalog service \
(zentrix-server).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zentrix 8x20 <zentrix@localhost>")
# The summary line comes first by itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# The libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Russian system error texts and a font with Cyrillic are no libraries for dpkg-shlibdeps to find.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "locales, libc-l10n, fonts-dejavu-core")
include(CPack)
