# A Debian package: cpack -G DEB in the build folder. Dependencies come from dpkg-shlibdeps,
# plus the Qt SVG plugins that draw the icons.

# Debian's changelog and man pages are installed compressed (gzip -n: no time stamp).
find_program(GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/res/debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
set(compressed)
foreach(file changelog quarn-editor.1 quarn-tool.1)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz
                     COMMAND ${GZIP} -9nc ${file} > ${file}.gz
                     DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file}
                     WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quarn-editor.1.gz ${CMAKE_CURRENT_BINARY_DIR}/quarn-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/res/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarn-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Korvel <quarn-editor@korvel.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for signal databases of a signal classifier")
set(CPACK_PACKAGE_DESCRIPTION
    "Quarn Editor creates, opens, merges, sorts, filters, edits and saves signal
databases: XML files that describe radio signals (name, decoder mode,
modulation family and parameters, code-check counter, ITU designator,
comment and a disabled flag) for a signal classifier. It has a find bar,
undo and redo, copy and paste of signals and CSV export. quarn-tool lists,
checks, converts and merges databases from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Qt's own texts (standard buttons, file dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvel.example.com/quarn-editor")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
