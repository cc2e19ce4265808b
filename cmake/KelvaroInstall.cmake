# Where a Linux desktop expects the game: the two programs, the launcher entry, the icons in
# the hicolor theme, the AppStream metainfo and the manual pages. Then the .deb.
include(GNUInstallDirs)

set(KELVARO_APP_ID "com.dravix.Kelvaro")
set(kelvaro_desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)

if(TARGET kelvaro)
    install(TARGETS kelvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET kelvaro-puzzles)
    install(TARGETS kelvaro-puzzles RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${kelvaro_desktop_dir}/${KELVARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${kelvaro_desktop_dir}/${KELVARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The same icons the window shows, drawn from the game's own pictures, one per size.
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kelvaro-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${KELVARO_APP_ID}.png)
endforeach()

# Manual pages are shipped compressed, and without a time stamp so that builds repeat.
find_program(KELVARO_GZIP gzip)
set(kelvaro_man_pages)
foreach(page kelvaro.6 kelvaro-puzzles.6)
    if(KELVARO_GZIP)
        set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
        add_custom_command(OUTPUT ${compressed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
            COMMAND ${KELVARO_GZIP} -9 -n -c ${kelvaro_desktop_dir}/${page} > ${compressed}
            DEPENDS ${kelvaro_desktop_dir}/${page} VERBATIM)
        list(APPEND kelvaro_man_pages ${compressed})
    else()
        list(APPEND kelvaro_man_pages ${kelvaro_desktop_dir}/${page})
    endif()
endforeach()
if(KELVARO_GZIP)
    add_custom_target(kelvaro-man ALL DEPENDS ${kelvaro_man_pages})
endif()
install(FILES ${kelvaro_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The game carries the DejaVu fonts inside its binary; their licence travels with it.
install(FILES ${PROJECT_SOURCE_DIR}/resources/fonts/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvaro RENAME DejaVu-fonts-LICENSE)

# cpack -G DEB from the build folder.
set(CPACK_PACKAGE_NAME kelvaro)
set(CPACK_PACKAGE_VENDOR "Dravix")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: link pairs of symbols with lines of given lengths")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvaro shows a square board on which pairs of identical symbols are placed. Each pair \
must be linked by a line running from cell to cell, and every endpoint shows how many cells \
its line has between the two ends. Lines never cross and, once solved, no cell is empty. \
Every puzzle is generated at random, on boards of 5 x 5, 8 x 8 or 12 x 12 cells. Hints, the \
solution, a pause, records and statistics for two players, and an example with the rules \
are included; the game speaks English and French. The package also holds kelvaro-puzzles, \
which prints puzzles as text or JSON lines.")
set(CPACK_PACKAGE_CONTACT "Kelvaro team <kelvaro@dravix.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X platform plugin ships with the Qt GUI library; the others (Wayland among them) are
# only recommended by it, so we recommend them too.
# Menus and dialogs are drawn in the system's fonts, which a minimal system may lack.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)
