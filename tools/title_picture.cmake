# title_picture: writes dat/tc0.txt from the hand-drawn dat/tc0.picture, checks that the two
# agree, and renders previews and icons. Its tests are in tests/tools/.
add_executable(title_picture ${CMAKE_CURRENT_LIST_DIR}/title_picture.cpp)
target_link_libraries(title_picture PRIVATE tinyarcade_core PkgConfig::STB)
