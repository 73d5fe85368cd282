# Builds the starter game (templates/game) the ways a game's author would:
#   MODE installed (the default): installs the Brannock build BUILD_DIR into a
#     prefix, copies the starter project and builds it out of tree against
#     that prefix; then compiles every framework header against the package
#     (headers/) and checks that the game's data is copied again when it
#     changes.
#   MODE fetchcontent: builds the starter project with the framework's sources
#     added through FetchContent (fetchcontent/), as a multi-configuration
#     build whose program lands in a Debug folder.
# Given CHECKER (brannock_screenshot_check, native builds only), the game then
# runs headless for two seconds: it must end with status 0, and its last frame
# must show the background with the player drawn on it.
#
#   cmake -D BUILD_DIR=<Brannock build> -D WORK_DIR=<scratch folder>
#         [-D MODE=installed|fetchcontent] [-D CHECKER=<program>]
#         -P tests/package/starter_game.cmake
cmake_minimum_required(VERSION 3.25)

get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
set(game_source "${source_dir}/templates/game")
foreach(required BUILD_DIR WORK_DIR)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "starter_game.cmake: ${required} is not set")
    endif()
    get_filename_component(${required} "${${required}}" ABSOLUTE)
endforeach()
if(NOT MODE)
    set(MODE installed)
endif()

# The game is built with the framework build's generator and toolchain.
load_cache("${BUILD_DIR}" READ_WITH_PREFIX framework_
    CMAKE_GENERATOR CMAKE_MAKE_PROGRAM CMAKE_TOOLCHAIN_FILE)
set(build_tools "-DCMAKE_MAKE_PROGRAM=${framework_CMAKE_MAKE_PROGRAM}")
if(framework_CMAKE_TOOLCHAIN_FILE)
    list(APPEND build_tools "-DCMAKE_TOOLCHAIN_FILE=${framework_CMAKE_TOOLCHAIN_FILE}")
endif()

# Runs one step; a failure ends the test with the step's output.
function(step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result
        OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}):\n${output}")
    endif()
    message(STATUS "${what}: done")
endfunction()

# Runs the game in its folder, where its data was copied, and checks its
# exit status and last frame.
function(run_game program_dir)
    set(screen "${WORK_DIR}/screen.bmp")
    set(ENV{BRANNOCK_BACKEND} headless)
    set(ENV{BRANNOCK_HEADLESS_CLOSE_MS} 2000)
    set(ENV{BRANNOCK_HEADLESS_SCREENSHOT} "${screen}")
    execute_process(COMMAND "${program_dir}/mygame" WORKING_DIRECTORY "${program_dir}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 60)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the starter game ended with ${result}:\n${output}")
    endif()
    set(image "${game_source}/data/image")
    execute_process(COMMAND "${CHECKER}" "${screen}"
        "${image}/background.bmp" "${image}/player0.bmp" "${image}/player1.bmp"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the game's last frame is not as expected: ${output}")
    endif()
    string(STRIP "${output}" output)
    message(STATUS "the game's last frame: ${output}")
endfunction()

# A changed data file, and a new one, reach the program's folder on the next
# build.
function(check_data_follows game build)
    file(APPEND "${game}/data/Sprite.txt" "; changed\n")
    file(WRITE "${game}/data/image/added.txt" "added\n")
    step("rebuild after changing the data" "${CMAKE_COMMAND}" --build "${build}")
    foreach(file Sprite.txt image/added.txt)
        file(READ "${game}/data/${file}" wanted)
        file(READ "${build}/${file}" copied)
        if(NOT copied STREQUAL wanted)
            message(FATAL_ERROR "${file} was not copied again to ${build} after it changed")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")

if(MODE STREQUAL "installed")
    set(prefix "${WORK_DIR}/prefix")
    set(game "${WORK_DIR}/game")
    step("install the framework" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")
    file(COPY "${game_source}/" DESTINATION "${game}")
    step("configure the starter game" "${CMAKE_COMMAND}" -S "${game}" -B "${game}/build"
        -G "${framework_CMAKE_GENERATOR}" ${build_tools} "-DCMAKE_PREFIX_PATH=${prefix}")
    # Not some other Brannock installed on this machine.
    load_cache("${game}/build" READ_WITH_PREFIX game_ Brannock_DIR)
    string(FIND "${game_Brannock_DIR}" "${prefix}/" at)
    if(NOT at EQUAL 0)
        message(FATAL_ERROR "the game found Brannock in ${game_Brannock_DIR}, not in ${prefix}")
    endif()
    step("build the starter game" "${CMAKE_COMMAND}" --build "${game}/build")

    file(STRINGS "${source_dir}/CMakeLists.txt" project_line REGEX "^project\\(Brannock VERSION")
    string(REGEX MATCH "VERSION ([0-9.]+)" _ "${project_line}")
    step("configure the header check" "${CMAKE_COMMAND}" -S "${CMAKE_CURRENT_LIST_DIR}/headers"
        -B "${WORK_DIR}/headers" -G "${framework_CMAKE_GENERATOR}" ${build_tools}
        "-DCMAKE_PREFIX_PATH=${prefix}" "-DEXPECTED_VERSION=${CMAKE_MATCH_1}"
        "-DBRANNOCK_SOURCE_DIR=${source_dir}")
    step("compile every installed header" "${CMAKE_COMMAND}" --build "${WORK_DIR}/headers")

    if(CHECKER)
        run_game("${game}/build")
    endif()
    check_data_follows("${game}" "${game}/build")
elseif(MODE STREQUAL "fetchcontent")
    set(build "${WORK_DIR}/build")
    step("configure the starter game with the framework's sources" "${CMAKE_COMMAND}"
        -S "${CMAKE_CURRENT_LIST_DIR}/fetchcontent" -B "${build}" -G "Ninja Multi-Config"
        ${build_tools} "-DBRANNOCK_SOURCE_DIR=${source_dir}")
    step("build the framework and the starter game" "${CMAKE_COMMAND}" --build "${build}"
        --config Debug --parallel 2)
    # The program is in game/Debug; the framework moves it to game/, where
    # its data was copied.
    if(CHECKER)
        run_game("${build}/game/Debug")
    endif()
else()
    message(FATAL_ERROR "starter_game.cmake: unknown MODE ${MODE}")
endif()
