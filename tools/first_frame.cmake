# first_frame: a preloaded library that reports the time of the first presented frame, for
# tools/measure.sh. Not part of the game.
add_library(first_frame MODULE ${CMAKE_CURRENT_LIST_DIR}/first_frame.cpp)
target_link_libraries(first_frame PRIVATE ${CMAKE_DL_LIBS})
