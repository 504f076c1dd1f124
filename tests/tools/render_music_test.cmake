# render_music's test, run as `cmake -P` with TOOL (the program) and WORK (a scratch folder)
# from the repository's root: renders a second and a half of each music and checks the files,
# then two wrong uses.

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

foreach(music front calm busy)
    execute_process(COMMAND ${TOOL} ${music} 1.5 ${WORK}/${music}.wav RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "render_music ${music}: exit ${result}")
    endif()
    # 44 header bytes, then 1.5 s of 4-byte frames.
    file(SIZE ${WORK}/${music}.wav size)
    if(NOT size EQUAL 264644)
        message(FATAL_ERROR "${music}.wav has ${size} bytes, want 264644")
    endif()
    file(READ ${WORK}/${music}.wav header LIMIT 44 HEX)
    # RIFF, WAVE, fmt: PCM, 2 channels, 44100 Hz, 176400 bytes a second, 4-byte frames, 16 bits.
    if(NOT header MATCHES "^52494646........57415645666d7420100000000100020044ac000010b1020004001000")
        message(FATAL_ERROR "${music}.wav: not a 16-bit stereo 44100 Hz WAV header (${header})")
    endif()
endforeach()

execute_process(COMMAND ${TOOL} loud 1 ${WORK}/x.wav RESULT_VARIABLE result ERROR_QUIET)
if(NOT result EQUAL 2)
    message(FATAL_ERROR "render_music loud: exit ${result}, want 2 (usage)")
endif()
execute_process(COMMAND ${TOOL} front 0 ${WORK}/x.wav RESULT_VARIABLE result ERROR_QUIET)
if(NOT result EQUAL 2)
    message(FATAL_ERROR "render_music front 0: exit ${result}, want 2 (usage)")
endif()
