# Install step: copies the headers of the given folders and every header they
# reach through their #include "..." lines, which name files from the source
# root. Followed when installing, so the set is never stale; a header that is
# not a file of the source tree (a system header) is left to the compiler.
#
#   brannock_install_headers(SOURCE_DIR <root> DESTINATION <dir>
#                            FOLDERS <folder>... [STOP_AT <header>...])
#
# A header named in STOP_AT is installed but not followed.
function(brannock_install_headers)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "SOURCE_DIR;DESTINATION" "FOLDERS;STOP_AT")
    set(pending "")
    foreach(folder IN LISTS arg_FOLDERS)
        file(GLOB headers RELATIVE "${arg_SOURCE_DIR}" "${arg_SOURCE_DIR}/${folder}/*.h")
        list(APPEND pending ${headers})
    endforeach()
    set(reached ${pending})

    while(pending)
        list(POP_FRONT pending header)
        get_filename_component(folder "${header}" DIRECTORY)
        file(INSTALL "${arg_SOURCE_DIR}/${header}" DESTINATION "${arg_DESTINATION}/${folder}")

        list(FIND arg_STOP_AT "${header}" stop)
        if(NOT stop EQUAL -1)
            continue()
        endif()
        file(STRINGS "${arg_SOURCE_DIR}/${header}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
            list(FIND reached "${included}" seen)
            if(seen EQUAL -1 AND EXISTS "${arg_SOURCE_DIR}/${included}")
                list(APPEND reached "${included}")
                list(APPEND pending "${included}")
            endif()
        endforeach()
    endwhile()
endfunction()
