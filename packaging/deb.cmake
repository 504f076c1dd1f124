# The Debian package, made from this build by `cpack -G DEB` in the build folder: what
# `cmake --install --component tinyarcade` puts under /usr, plus the changelog Debian's tools
# read. dpkg-shlibdeps finds the libraries the program links; SDL opens the OpenGL library
# itself, so that one is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tinyarcade)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TINYARCADE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: catch babies, avoid time paradox")
set(CPACK_PACKAGE_DESCRIPTION [[
A tiny full-screen arcade game, tumblingcradle2, played with the keyboard:
babies drift in from the right, and you move a catcher up and down the left
edge to catch them. Hold z to feel emotions: every baby caught then counts
twice, and the picture and the music change. A baby that slips past is a
time paradox, and the game is over. There is no way to win, only a best
score to beat. All of its music is composed while it plays.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};tinyarcade;tinyarcade;/" "${PROJECT_BINARY_DIR};tinyarcade;debian;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")

# Debian keeps games in /usr/games; the launcher finds the program and the data from there as
# from /usr/bin, which sits at the same depth.
install(CODE "set(bin_folder ${CMAKE_INSTALL_BINDIR})" COMPONENT debian EXCLUDE_FROM_ALL)
install(CODE [[
    set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${bin_folder}")
    file(MAKE_DIRECTORY "${bin}/../games")
    file(RENAME "${bin}/tinyarcade" "${bin}/../games/tinyarcade")
    # rmdir takes the folder away only when nothing else is left in it.
    execute_process(COMMAND rmdir "${bin}" ERROR_QUIET)
]] COMPONENT debian EXCLUDE_FROM_ALL)

# Debian's changelog of the package, beside changelog.gz: in the package alone, never in a
# plain `cmake --install`.
execute_process(COMMAND date -u -R -d "${TINYARCADE_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE TINYARCADE_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${packaging_dir}/changelog.Debian
               @ONLY)
tinyarcade_gzip(${packaging_dir}/changelog.Debian ${packaging_dir}/changelog.Debian.gz)
add_custom_target(tinyarcade_deb_changelog ALL DEPENDS ${packaging_dir}/changelog.Debian.gz)
add_dependencies(tinyarcade tinyarcade_deb_changelog)
install(FILES ${packaging_dir}/changelog.Debian.gz COMPONENT debian EXCLUDE_FROM_ALL
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides COMPONENT debian EXCLUDE_FROM_ALL
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tinyarcade)

include(CPack)
