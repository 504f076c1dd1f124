# title_picture's test, run as `cmake -P` with TOOL (the program) and WORK (a scratch folder):
# drives the converter through a tiny picture whose numbers are known by hand.

function(expect_exit code)
    execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE result ERROR_QUIET OUTPUT_QUIET)
    if(NOT result EQUAL code)
        message(FATAL_ERROR "title_picture ${ARGN}: exit ${result}, want ${code}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# Top line: 5 at the left end, 7 at the right end; bottom line: 3 at the left end.
string(REPEAT "." 62 dots62)
string(REPEAT "." 63 dots63)
string(REPEAT "." 64 empty)
set(source "# a comment line\n5${dots62}7\n")
foreach(line RANGE 1 62)
    string(APPEND source "${empty}\n")
endforeach()
string(APPEND source "3${dots63}\n")
file(WRITE ${WORK}/corners.picture "${source}")

expect_exit(0 --write ${WORK}/corners.picture ${WORK}/corners.txt)
file(READ ${WORK}/corners.txt numbers)
string(REGEX MATCHALL "[^ \n]+" numbers "${numbers}")
list(LENGTH numbers count)
if(NOT count EQUAL 4096)
    message(FATAL_ERROR "corners.txt holds ${count} numbers, want 4096")
endif()
# The game fills the bottom line first: number 0 is the lower-left cell, number 4032 the
# upper-left one, number 4095 the upper-right one.
list(GET numbers 0 lowerLeft)
list(GET numbers 63 lowerRight)
list(GET numbers 4032 upperLeft)
list(GET numbers 4095 upperRight)
if(NOT "${lowerLeft} ${lowerRight} ${upperLeft} ${upperRight}" STREQUAL "3 0 5 7")
    message(FATAL_ERROR "corners read ${lowerLeft} ${lowerRight} ${upperLeft} ${upperRight}, "
                        "want 3 0 5 7")
endif()
list(REMOVE_ITEM numbers 0)
list(LENGTH numbers inked)
if(NOT inked EQUAL 3)
    message(FATAL_ERROR "corners.txt has ${inked} cells that are not 0, want 3")
endif()

expect_exit(0 --check ${WORK}/corners.picture ${WORK}/corners.txt)

# A changed number is caught; so is a source line a person made too short.
file(READ ${WORK}/corners.txt text)
string(REGEX REPLACE "^3" "4" changed "${text}")
file(WRITE ${WORK}/changed.txt "${changed}")
expect_exit(1 --check ${WORK}/corners.picture ${WORK}/changed.txt)
string(REPLACE "3${dots63}" "3${dots62}" shortLine "${source}")
file(WRITE ${WORK}/short_line.picture "${shortLine}")
expect_exit(1 --write ${WORK}/short_line.picture ${WORK}/unused.txt)
# The icons it renders are checked where they are installed (tests/e2e/installed.sh).
