# Run by cpack on the package's staged files: Debian keeps a game's program in /usr/games, a plain install in bin/.
set(z "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
# The program finds its media by a way relative to its own folder, fixed at build time.
file(RELATIVE_PATH z_gier "${z}/games" "${z}/${CPACK_BROLIK_MEDIA}")
if(NOT z_gier STREQUAL CPACK_BROLIK_MEDIA_OD_PROGRAMU)
  message(FATAL_ERROR "from /usr/games the media are at ${z_gier}, but the program looks in ${CPACK_BROLIK_MEDIA_OD_PROGRAMU}")
endif()
file(MAKE_DIRECTORY "${z}/games")
file(RENAME "${z}/${CPACK_BROLIK_PROGRAM}" "${z}/games/brolik")
get_filename_component(bin "${z}/${CPACK_BROLIK_PROGRAM}" DIRECTORY)
file(GLOB reszta "${bin}/*")
if(NOT reszta)
  file(REMOVE_RECURSE "${bin}")
endif()
# As Debian's own packages are stripped: the compiler's notes go with the symbols.
execute_process(COMMAND ${CPACK_BROLIK_STRIP} --remove-section=.comment --remove-section=.note "${z}/games/brolik"
  COMMAND_ERROR_IS_FATAL ANY)
