# Installing tinyarcade like any other desktop game: `cmake --install build [--prefix DIR]`.
#
#   bin/tinyarcade                              the launcher: starts the game in the player's folder
#   libexec/tinyarcade/tinyarcade               the program itself
#   share/tinyarcade/dat/                       the title picture and the samples
#   share/applications/APP_ID.desktop           the menu entry
#   share/icons/hicolor/NxN/apps/APP_ID.png     the title picture as icons
#   share/metainfo/APP_ID.metainfo.xml          the description for software centres
#
# Every destination is relative to the prefix, so --prefix and DESTDIR work, and the launcher
# finds the rest from where it lies, so the installed tree may be moved. Everything here is in
# the component "tinyarcade"; `--component tinyarcade` installs it without touching the
# install_manifest.txt of a real install. The `uninstall` target removes what that manifest
# lists.
include(GNUInstallDirs)

# example.org is reserved for examples, so this names nobody's domain; a studio that owns a
# domain puts its own reverse name here.
set(TINYARCADE_APP_ID "org.example.tinyarcade" CACHE STRING "Reverse-DNS id of the desktop entry")

set(packaging_dir ${PROJECT_BINARY_DIR}/packaging)

# The launcher knows the program and the data by their place relative to its own.
file(RELATIVE_PATH BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tinyarcade/dat)
file(RELATIVE_PATH BIN_TO_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBEXECDIR}/tinyarcade/tinyarcade)
# ... and an install of ours by its program's place relative to its data.
file(RELATIVE_PATH DATA_TO_PROGRAM ${CMAKE_INSTALL_FULL_DATADIR}/tinyarcade/dat
     ${CMAKE_INSTALL_FULL_LIBEXECDIR}/tinyarcade/tinyarcade)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tinyarcade.sh.in ${packaging_dir}/tinyarcade @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tinyarcade.desktop.in
               ${packaging_dir}/${TINYARCADE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tinyarcade.metainfo.xml.in
               ${packaging_dir}/${TINYARCADE_APP_ID}.metainfo.xml @ONLY)

# Icons rendered from the hand-drawn title picture in the palette's colours; whole multiples
# of its 64 x 64 cells keep the pixels sharp, and 48 is the size every desktop looks for.
set(TINYARCADE_ICON_SIZES 48 64 128 256)
set(icon_files)
foreach(size ${TINYARCADE_ICON_SIZES})
    set(icon ${packaging_dir}/icons/${size}/${TINYARCADE_APP_ID}.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_dir}/icons/${size}
        COMMAND title_picture --icon ${PROJECT_SOURCE_DIR}/dat/tc0.picture ${icon} ${size}
        DEPENDS title_picture ${PROJECT_SOURCE_DIR}/dat/tc0.picture
        COMMENT "Rendering the ${size} x ${size} icon" VERBATIM)
    list(APPEND icon_files ${icon})
    install(FILES ${icon} COMPONENT tinyarcade
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(tinyarcade_icons ALL DEPENDS ${icon_files})
# Building the game alone is enough to install it.
add_dependencies(tinyarcade tinyarcade_icons)

install(TARGETS tinyarcade COMPONENT tinyarcade
        RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tinyarcade)
install(PROGRAMS ${packaging_dir}/tinyarcade COMPONENT tinyarcade
        DESTINATION ${CMAKE_INSTALL_BINDIR})
# The game reads only the numbers of the title picture, not its hand-drawn source.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/dat/ COMPONENT tinyarcade
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tinyarcade/dat
        FILES_MATCHING PATTERN "*.txt" PATTERN "*.ogg")
install(FILES ${packaging_dir}/${TINYARCADE_APP_ID}.desktop COMPONENT tinyarcade
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${TINYARCADE_APP_ID}.metainfo.xml COMPONENT tinyarcade
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
            -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake
    COMMENT "Removing the files of the last cmake --install" VERBATIM)
