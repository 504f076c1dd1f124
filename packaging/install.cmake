# Installing tinyarcade like any other desktop game: `cmake --install build [--prefix DIR]`.
#
#   bin/tinyarcade                              the launcher: starts the game in the player's folder
#   libexec/tinyarcade/tinyarcade               the program itself
#   share/tinyarcade/dat/                       the title picture and the samples
#   share/applications/APP_ID.desktop           the menu entry
#   share/icons/hicolor/NxN/apps/APP_ID.png     the title picture as icons
#   share/metainfo/APP_ID.metainfo.xml          the description for software centres
#   share/man/man6/tinyarcade.6.gz              the manual page
#   share/doc/tinyarcade/copyright, changelog.gz the licence and what each release brought
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
set(TINYARCADE_CONTACT "the tinyarcade developers <tinyarcade@example.org>" CACHE STRING
    "Who answers for this build: the copyright file's contact and the package's maintainer")

set(packaging_dir ${PROJECT_BINARY_DIR}/packaging)

# The version is the project's; its date is that of the newest entry of CHANGELOG.md, which
# must be this version's, so a release cannot leave the changelog behind.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md release_heading REGEX "^## " LIMIT_COUNT 1)
string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
if(NOT release_heading MATCHES "^## ${version_pattern} \\(([0-9]+-[0-9]+-[0-9]+)\\)$")
    message(FATAL_ERROR "CHANGELOG.md's newest entry is '${release_heading}', "
                        "not '## ${PROJECT_VERSION} (YYYY-MM-DD)'")
endif()
set(TINYARCADE_RELEASE_DATE ${CMAKE_MATCH_1})

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

# The copyright file in the form Debian reads, with the licence's own text.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence_text)
string(REGEX REPLACE "\n+$" "" licence_text "${licence_text}")
string(REGEX REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REPLACE "\n" "\n " licence_text " ${licence_text}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${packaging_dir}/copyright @ONLY)

# Manual page and changelogs compressed as Debian keeps them: the most, and no time stamp.
function(tinyarcade_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9nc ${source} > ${output}
        DEPENDS ${source} COMMENT "Compressing ${output}" VERBATIM)
endfunction()
tinyarcade_gzip(${CMAKE_CURRENT_LIST_DIR}/tinyarcade.6 ${packaging_dir}/tinyarcade.6.gz)
tinyarcade_gzip(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${packaging_dir}/changelog.gz)
add_custom_target(tinyarcade_docs ALL DEPENDS ${packaging_dir}/tinyarcade.6.gz
    ${packaging_dir}/changelog.gz)

# Building the game alone is enough to install it.
add_dependencies(tinyarcade tinyarcade_icons tinyarcade_docs)

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
install(FILES ${packaging_dir}/tinyarcade.6.gz COMPONENT tinyarcade
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging_dir}/copyright ${packaging_dir}/changelog.gz COMPONENT tinyarcade
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
            -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake
    COMMENT "Removing the files of the last cmake --install" VERBATIM)

include(${CMAKE_CURRENT_LIST_DIR}/deb.cmake)
