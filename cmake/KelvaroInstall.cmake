# Where a Linux desktop expects the game: the two programs in the games folder, the launcher
# entry, the icons in the hicolor theme, the AppStream metainfo, the manual pages, the licence
# and the changelog. Then the .deb.
include(GNUInstallDirs)

set(KELVARO_APP_ID "com.dravix.Kelvaro")
set(KELVARO_INSTALL_GAMESDIR games CACHE STRING
    "Folder of the game and the puzzle tool, under the install prefix unless absolute")
set(kelvaro_desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
set(kelvaro_debian_dir ${PROJECT_SOURCE_DIR}/resources/debian)
set(kelvaro_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/kelvaro)

if(TARGET kelvaro)
    install(TARGETS kelvaro RUNTIME DESTINATION ${KELVARO_INSTALL_GAMESDIR})
endif()
if(TARGET kelvaro-puzzles)
    install(TARGETS kelvaro-puzzles RUNTIME DESTINATION ${KELVARO_INSTALL_GAMESDIR})
endif()

# The launcher names the game by its full path, since some session and sudo paths lack the
# games folder. The prefix is only known at install time (`cmake --install --prefix`, or /usr
# when cpack builds the .deb), so the entry is written then.
install(CODE "
    set(KELVARO_DESKTOP_TEMPLATE [[${kelvaro_desktop_dir}/${KELVARO_APP_ID}.desktop.in]])
    set(KELVARO_DESKTOP_ENTRY [[${PROJECT_BINARY_DIR}/desktop/${KELVARO_APP_ID}.desktop]])
    set(KELVARO_INSTALL_GAMESDIR [[${KELVARO_INSTALL_GAMESDIR}]])
    set(KELVARO_APPLICATIONS_DIR [[${CMAKE_INSTALL_DATADIR}/applications]])")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/KelvaroDesktopEntry.cmake)

install(FILES ${kelvaro_desktop_dir}/${KELVARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The same icons the window shows, drawn from the game's own pictures, one per size.
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kelvaro-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${KELVARO_APP_ID}.png)
endforeach()

# Manual pages and the changelog are shipped compressed, without a time stamp so that builds
# repeat.
find_program(KELVARO_GZIP gzip)
function(kelvaro_compressed source name out_var)
    if(NOT KELVARO_GZIP)
        set(${out_var} ${source} PARENT_SCOPE)
        return()
    endif()
    set(compressed ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/compressed
        COMMAND ${KELVARO_GZIP} -9 -n -c ${source} > ${compressed}
        DEPENDS ${source} VERBATIM)
    set(${out_var} ${compressed} PARENT_SCOPE)
endfunction()

set(kelvaro_man_pages)
foreach(page kelvaro.6 kelvaro-puzzles.6)
    kelvaro_compressed(${kelvaro_desktop_dir}/${page} ${page} compressed)
    list(APPEND kelvaro_man_pages ${compressed})
endforeach()
kelvaro_compressed(${kelvaro_debian_dir}/changelog changelog kelvaro_changelog)
if(KELVARO_GZIP)
    add_custom_target(kelvaro-compressed ALL DEPENDS ${kelvaro_man_pages} ${kelvaro_changelog})
endif()
install(FILES ${kelvaro_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The machine-readable copyright holds the MIT licence of our files and the licence of the
# DejaVu fonts the game carries inside its binary.
install(FILES ${kelvaro_debian_dir}/copyright ${kelvaro_changelog} DESTINATION ${kelvaro_doc_dir})

# cpack -G DEB from the build folder.
set(CPACK_PACKAGE_NAME kelvaro)
set(CPACK_PACKAGE_VENDOR "Dravix")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kelvaro.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logic puzzle: link pairs of symbols with lines of given lengths")
# One line per line of the control file: Debian wants them under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [[
Kelvaro shows a square board on which pairs of identical symbols are placed.
Each pair must be linked by a line running from cell to cell, and every
endpoint shows how many cells its line has between the two ends. Lines never
cross and, once solved, no cell is empty.

Every puzzle is generated at random, on boards of 5 x 5, 8 x 8 or 12 x 12
cells. Hints, the solution, a pause, records and statistics for two players,
and an example with the rules are included; the game speaks English and
French.

The package also holds kelvaro-puzzles, which prints puzzles as text or JSON
lines.]])
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
