# The game in a browser: the same core compiled to WebAssembly by Debian's emscripten, with the
# browser's own entry (frame/main_web.cpp), edges (the files ending _web.cpp: the canvas, the
# document's keys, Web Audio) and a sample loader without threads (audio/loader_web.cpp). The page goes to build-web/web/:
# index.html, tinyarcade.js, tinyarcade.wasm and tinyarcade.data, the title picture and the
# samples. Any static web server can serve that folder as it is.

# Every player downloads the page: everything is compiled for size and optimised across files,
# with a small allocator.
add_compile_options(-Oz -flto)
add_link_options(-Oz -flto -sMALLOC=emmalloc)

# The decoder the desktop game links, libvorbisfile, from Debian's source packages of libogg and
# libvorbis (emscripten has no copy of its own here), which tools/install-packages.sh web fetches.
set(VORBIS_SOURCE ${PROJECT_SOURCE_DIR}/web/vorbis-source)
if(NOT EXISTS ${VORBIS_SOURCE}/libogg/src/framing.c OR NOT EXISTS ${VORBIS_SOURCE}/libvorbis/lib/vorbisfile.c)
    message(FATAL_ERROR "missing: Debian's libogg and libvorbis sources in ${VORBIS_SOURCE} (bash tools/install-packages.sh web)")
endif()
file(WRITE ${CMAKE_BINARY_DIR}/ogg-config/ogg/config_types.h [=[
#ifndef __CONFIG_TYPES_H__
#define __CONFIG_TYPES_H__
#include <stdint.h>
typedef int16_t ogg_int16_t;
typedef uint16_t ogg_uint16_t;
typedef int32_t ogg_int32_t;
typedef uint32_t ogg_uint32_t;
typedef int64_t ogg_int64_t;
typedef uint64_t ogg_uint64_t;
#endif
]=])
set(VORBIS_LIB ${VORBIS_SOURCE}/libvorbis/lib)
add_library(vorbisfile_web STATIC
    ${VORBIS_SOURCE}/libogg/src/bitwise.c ${VORBIS_SOURCE}/libogg/src/framing.c
    ${VORBIS_LIB}/mdct.c ${VORBIS_LIB}/smallft.c ${VORBIS_LIB}/block.c ${VORBIS_LIB}/envelope.c
    ${VORBIS_LIB}/window.c ${VORBIS_LIB}/lsp.c ${VORBIS_LIB}/lpc.c ${VORBIS_LIB}/analysis.c
    ${VORBIS_LIB}/synthesis.c ${VORBIS_LIB}/psy.c ${VORBIS_LIB}/info.c ${VORBIS_LIB}/floor1.c
    ${VORBIS_LIB}/floor0.c ${VORBIS_LIB}/res0.c ${VORBIS_LIB}/mapping0.c ${VORBIS_LIB}/registry.c
    ${VORBIS_LIB}/codebook.c ${VORBIS_LIB}/sharedbook.c ${VORBIS_LIB}/lookup.c
    ${VORBIS_LIB}/bitrate.c ${VORBIS_LIB}/vorbisfile.c)
target_include_directories(vorbisfile_web SYSTEM PUBLIC ${CMAKE_BINARY_DIR}/ogg-config
    ${VORBIS_SOURCE}/libogg/include ${VORBIS_SOURCE}/libvorbis/include)
target_include_directories(vorbisfile_web PRIVATE ${VORBIS_LIB})
# Not our code: built as Debian builds it, without our warnings, and rounding as on the desktop.
target_compile_options(vorbisfile_web PRIVATE -w
    "SHELL:-include ${PROJECT_SOURCE_DIR}/web/vorbis_rounding.h")

# stb's headers come from Debian's libstb-dev; the PNG writer is compiled in.
find_path(STB_INCLUDE_DIR stb_image_write.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH
    NO_DEFAULT_PATH)
if(NOT STB_INCLUDE_DIR)
    message(FATAL_ERROR "stb_image_write.h not found (bash tools/install-packages.sh web)")
endif()

add_library(tinyarcade_core STATIC ${CORE_SOURCES})
target_include_directories(tinyarcade_core PUBLIC ${PROJECT_SOURCE_DIR})
target_include_directories(tinyarcade_core SYSTEM PUBLIC ${STB_INCLUDE_DIR})
target_link_libraries(tinyarcade_core PUBLIC vorbisfile_web)

set(WEB_FOLDER ${CMAKE_BINARY_DIR}/web)
# The browser's own edges, each a few lines of JavaScript in its file: the canvas's 2D context
# for the picture rather than an emulation of OpenGL 1.1, the document's keys and Web Audio
# rather than emscripten's SDL. A much smaller script.
add_executable(tinyarcade frame/main_web.cpp audio/loader_web.cpp web/stb_image_write.c
    frame/platform_web.cpp display/video_web.cpp audio/device_web.cpp)
target_link_libraries(tinyarcade PRIVATE tinyarcade_core)
set_target_properties(tinyarcade PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${WEB_FOLDER})
target_link_options(tinyarcade PRIVATE
    -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sEXPORTED_RUNTIME_METHODS=FS
    -sEXPORTED_FUNCTIONS=_main,_pausePlay,_setSoundOn,_gamepadChanged,_saveReplay
    "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/dat/tc0.txt@dat/tc0.txt"
    "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/dat/samples@dat/samples")
# The data is packed at link time: a changed file links again.
set(SAMPLE_NAMES birth drum0 drum1 drum2 drum3 drum4 drum5 drum6 drum7 drum8 drum9 drumA drumB
    drumC drumD drumE drumF jump paradox)
list(TRANSFORM SAMPLE_NAMES PREPEND ${PROJECT_SOURCE_DIR}/dat/samples/ OUTPUT_VARIABLE SAMPLE_FILES)
list(TRANSFORM SAMPLE_FILES APPEND .ogg)
set_property(TARGET tinyarcade APPEND PROPERTY LINK_DEPENDS
    ${PROJECT_SOURCE_DIR}/dat/tc0.txt ${SAMPLE_FILES})
# The script and the page, shortened for download by web/minify.js (Debian's node-terser).
set(MINIFY ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs node
    ${PROJECT_SOURCE_DIR}/web/minify.js)
add_custom_command(TARGET tinyarcade POST_BUILD
    COMMAND ${MINIFY} script ${WEB_FOLDER}/tinyarcade.js VERBATIM)
add_custom_command(OUTPUT ${WEB_FOLDER}/index.html
    COMMAND ${MINIFY} page ${PROJECT_SOURCE_DIR}/web/index.html ${WEB_FOLDER}/index.html
    DEPENDS web/index.html web/minify.js VERBATIM)
add_custom_target(web_page ALL DEPENDS ${WEB_FOLDER}/index.html)
