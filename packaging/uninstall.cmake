# Removes the files listed in MANIFEST (the install_manifest.txt that `cmake --install` writes)
# and then the folders of tinyarcade's own that this leaves empty. Shared folders such as
# share/applications stay, and so does the player's folder with the screenshots: no install
# made it.
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (run cmake --install first)")
endif()

file(STRINGS "${MANIFEST}" installed)
foreach(path IN LISTS installed)
    if(NOT EXISTS "${path}" AND NOT IS_SYMLINK "${path}")
        continue()
    endif()
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
    # Walk up through empty folders as far as the topmost one named tinyarcade.
    get_filename_component(folder "${path}" DIRECTORY)
    while(folder MATCHES "/tinyarcade(/|$)")
        # rmdir takes a folder away only when it is empty.
        execute_process(COMMAND rmdir "${folder}" RESULT_VARIABLE kept ERROR_QUIET)
        if(NOT kept EQUAL 0)
            break()
        endif()
        get_filename_component(name "${folder}" NAME)
        if(name STREQUAL "tinyarcade")
            break()
        endif()
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
