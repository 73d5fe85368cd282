# brannock_add_game(<name> SOURCES <file>... [DATA <folder>])
#
# Makes the program of a game on Brannock: a windowed (WIN32) executable on
# Windows, a plain one elsewhere, linked with Brannock::brannock and the
# process entry Brannock::entry.
#
# DATA names the folder of the game's files (Sprite.txt, image/, ...), relative
# to the calling CMakeLists.txt. Its contents are copied to the program's
# folder in the build tree, and copied again whenever they change, so the
# program finds them when it is started there. A program started in a folder
# named Debug or Release works in the parent folder (the framework moves
# there), so for such a folder the files go to the parent.
#
# Shipped in the CMake package and included by Brannock's own build, so it
# works the same after find_package, add_subdirectory or FetchContent.

# A function keeps the policies in effect where it is defined.
cmake_policy(PUSH)
cmake_policy(VERSION 3.25)

function(brannock_add_game name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DATA" "SOURCES")
    if(arg_UNPARSED_ARGUMENTS OR arg_KEYWORDS_MISSING_VALUES)
        message(FATAL_ERROR "brannock_add_game(${name}): unexpected arguments "
                            "${arg_UNPARSED_ARGUMENTS}${arg_KEYWORDS_MISSING_VALUES}; "
                            "usage: brannock_add_game(<name> SOURCES <file>... [DATA <folder>])")
    endif()
    if(NOT arg_SOURCES)
        message(FATAL_ERROR "brannock_add_game(${name}): no SOURCES given")
    endif()

    add_executable(${name} WIN32 ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE Brannock::brannock Brannock::entry)
    if(MINGW)
        # A self-contained program: it runs without MinGW's runtime DLLs.
        target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()

    if(NOT DEFINED arg_DATA)
        return()
    endif()
    get_filename_component(data "${arg_DATA}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    if(NOT IS_DIRECTORY "${data}")
        message(FATAL_ERROR "brannock_add_game(${name}): the DATA folder ${data} does not exist")
    endif()
    # Listed again when a file is added, so that it is copied too.
    file(GLOB_RECURSE data_files CONFIGURE_DEPENDS "${data}/*")
    set(copy_script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/BrannockCopyData.cmake")
    set(stamp_dir "${CMAKE_CURRENT_BINARY_DIR}/${name}_data")
    file(MAKE_DIRECTORY "${stamp_dir}")
    set(stamp "${stamp_dir}/copied-$<CONFIG>.stamp")
    add_custom_command(OUTPUT "${stamp}"
        COMMAND "${CMAKE_COMMAND}" "-DDATA=${data}" "-DPROGRAM_DIR=$<TARGET_FILE_DIR:${name}>"
                -P "${copy_script}"
        COMMAND "${CMAKE_COMMAND}" -E touch "${stamp}"
        DEPENDS ${data_files} "${copy_script}"
        COMMENT "Copying the data of ${name}"
        VERBATIM)
    add_custom_target(${name}_data DEPENDS "${stamp}")
    add_dependencies(${name} ${name}_data)
endfunction()

cmake_policy(POP)
