# render_music: writes the front-page or game music as a WAV file, to listen to it offline. Its
# test is tests/tools/render_music_test.cmake.
add_executable(render_music ${CMAKE_CURRENT_LIST_DIR}/render_music.cpp)
target_link_libraries(render_music PRIVATE tinyarcade_core)
