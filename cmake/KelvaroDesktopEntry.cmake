# Run by `cmake --install` and cpack: writes the launcher entry with the game's full path under
# the prefix being installed to, and installs it.
set(games_path ${KELVARO_INSTALL_GAMESDIR})
if(NOT IS_ABSOLUTE "${games_path}")
    set(games_path "${CMAKE_INSTALL_PREFIX}/${games_path}")
endif()
set(KELVARO_GAMES_PATH "${games_path}")
configure_file("${KELVARO_DESKTOP_TEMPLATE}" "${KELVARO_DESKTOP_ENTRY}" @ONLY)
file(INSTALL "${KELVARO_DESKTOP_ENTRY}"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${KELVARO_APPLICATIONS_DIR}")
