# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes from it.

# The AppStream id, the web address and the maintainer's address are the project's to own; until it
# has a site and a mailbox of its own these stand in (example.org reaches no one), and a packager sets
# them on the cmake command line.
set(BROLIK_ID "org.example.brolik" CACHE STRING "reverse-DNS id of the game in the AppStream catalogue")
set(BROLIK_STRONA "https://example.org/brolik" CACHE STRING "web page of the game; the catalogue shows <page>/zrzut-menu.png, a copy of docs/zrzut-menu.png")
set(BROLIK_OPIEKUN "Brolik developers <brolik@example.org>" CACHE STRING "maintainer of the Debian package, as Name <address>")

install(TARGETS brolik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Every file the game loads, with the fonts' licences beside the fonts; the sources' notes go to the docs.
install(DIRECTORY media/ DESTINATION ${CMAKE_INSTALL_DATADIR}/brolik/media PATTERN README EXCLUDE)
install(FILES media/LICENSE-arialbd.txt media/LICENSE-georgiab.txt README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES media/README DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME README.media)

install(FILES dist/brolik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(dist/brolik.metainfo.xml.in ${CMAKE_BINARY_DIR}/${BROLIK_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${BROLIK_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licences of every file (machine-readable), the changelog and the manual page, the last two
# gzipped as Debian wants them, without a name or time inside so that a rebuild gives the same bytes.
find_program(GZIP gzip REQUIRED)
configure_file(dist/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
configure_file(dist/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
configure_file(dist/brolik.6 ${CMAKE_BINARY_DIR}/brolik.6 COPYONLY)
foreach(plik changelog brolik.6)
  execute_process(COMMAND ${GZIP} -9n -c ${CMAKE_BINARY_DIR}/${plik}
    OUTPUT_FILE ${CMAKE_BINARY_DIR}/${plik}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_BINARY_DIR}/brolik.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

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
set(CPACK_PACKAGE_CONTACT "${BROLIK_OPIEKUN}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BROLIK_OPIEKUN}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BROLIK_STRONA}")
# The package moves the program to /usr/games and strips it as Debian does (dist/deb_gry.cmake).
set(CPACK_BROLIK_PROGRAM ${CMAKE_INSTALL_BINDIR}/brolik)
set(CPACK_BROLIK_MEDIA ${CMAKE_INSTALL_DATADIR}/brolik/media)
set(CPACK_BROLIK_MEDIA_OD_PROGRAMU ${media_od_programu})
set(CPACK_BROLIK_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb_gry.cmake)
# lintian finds no error and no warning. Its notes (-I) left, each on purpose: the fonts are the
# game's own pinned copies in its media folder, not a font package's (so a system font update
# cannot change the pictures); the fonts' licences beside them and data_lista.txt are taken for
# documentation; "autor" is Polish, not a misspelling; without the distribution's hardening flags
# (README, Install) the program has no bind-now and no fortified calls.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-guessing quiz game in Polish with a Bingo board")
set(CPACK_PACKAGE_DESCRIPTION "Brolik is a desktop quiz game in Polish for one or two players at one
keyboard. Each round joins two games: guess a hidden five-letter Polish
noun in up to five tries, the letters shown red, yellow or blue, then draw
balls that strike numbers off a 5 x 5 Bingo board. After ten words the
richer player plays the final for up to 8000 zł.")
include(CPack)
