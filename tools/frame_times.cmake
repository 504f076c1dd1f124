# frame_times: a preloaded library that reports the first presented frame and counts frames,
# for tools/measure.sh. Not part of the game.
add_library(frame_times MODULE ${CMAKE_CURRENT_LIST_DIR}/frame_times.cpp)
target_link_libraries(frame_times PRIVATE ${CMAKE_DL_LIBS})
