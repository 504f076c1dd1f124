# One recorded run, checked as `cmake -P` with PROGRAM (tinyarcade), REPLAY, WAV (where its sound
# goes) and SOUND (the file of the recorded sounds' digests), from the repository's root, whose
# dat/ the run was recorded with. What it draws must be what the run showed (--check names the
# tick where it first differs), and its sound what the run played: a digest of every five
# seconds of the WAV file, so a change is found to the five seconds in which it began.
execute_process(COMMAND ${PROGRAM} --check ${REPLAY} --wav ${WAV}
    RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE error)
if(NOT status EQUAL 0 OR NOT said MATCHES " ok\n$")
    message(FATAL_ERROR "--check ${REPLAY}: ${said}${error}")
endif()

get_filename_component(name ${REPLAY} NAME_WE)
file(STRINGS ${SOUND} recorded REGEX "^${name} ")
file(SIZE ${WAV} size)
set(PIECE 882000) # five seconds of 44100 four-byte frames
set(heard "")
foreach(offset RANGE 0 ${size} ${PIECE})
    if(offset LESS size)
        file(READ ${WAV} piece OFFSET ${offset} LIMIT ${PIECE} HEX)
        string(MD5 digest "${piece}")
        math(EXPR second "${offset} / 44100 / 4")
        list(APPEND heard "${name} ${second} ${digest}")
    endif()
endforeach()
foreach(line IN LISTS heard)
    list(POP_FRONT recorded want)
    if(NOT line STREQUAL want)
        string(REPLACE ";" "\n" heard "${heard}")
        string(REGEX MATCH "^[^ ]+ ([0-9]+)" ignored "${line}")
        message(FATAL_ERROR "${REPLAY}: the sound differs from second ${CMAKE_MATCH_1} on, where the "
            "recorded digest is \"${want}\"; the digests it renders now:\n${heard}")
    endif()
endforeach()
if(recorded)
    message(FATAL_ERROR "${REPLAY}: the sound ends before \"${recorded}\"")
endif()
