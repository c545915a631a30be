# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes from it.

# The AppStream id and the web address are the project's to own; until it has a site of its own
# these stand in, and a packager sets both on the cmake command line.
set(BROLIK_ID "org.example.brolik" CACHE STRING "reverse-DNS id of the game in the AppStream catalogue")
set(BROLIK_STRONA "https://example.org/brolik" CACHE STRING "web page of the game; the catalogue shows <page>/zrzut-menu.png, a copy of docs/zrzut-menu.png")

install(TARGETS brolik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Every file the game loads, with the fonts' licences beside the fonts; the sources' notes go to the docs.
install(DIRECTORY media/ DESTINATION ${CMAKE_INSTALL_DATADIR}/brolik/media PATTERN README EXCLUDE)
install(FILES media/LICENSE-arialbd.txt media/LICENSE-georgiab.txt README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES media/README DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME README.media)

install(FILES dist/brolik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(dist/brolik.metainfo.xml.in ${CMAKE_BINARY_DIR}/${BROLIK_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${BROLIK_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES dist/brolik.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The icons are drawn by tools/mkmedia from the intro's ball.
foreach(rozmiar 48 64 128 256)
  install(FILES media/ikona_${rozmiar}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${rozmiar}x${rozmiar}/apps RENAME brolik.png)
endforeach()
install(FILES media/ikona.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME brolik.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brolik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brolik developers")
set(CPACK_PACKAGE_CONTACT "The Brolik developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Brolik developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-guessing quiz game in Polish with a Bingo board")
set(CPACK_PACKAGE_DESCRIPTION "Brolik is a desktop quiz game in Polish for one or two players at one
keyboard. Each round joins two games: guess a hidden five-letter Polish
noun in up to five tries, the letters shown red, yellow or blue, then draw
balls that strike numbers off a 5 x 5 Bingo board. After ten words the
richer player plays the final for up to 8000 zł.")
include(CPack)
