# Install rules and the CMake package. After `cmake --install`, a game's
# project says find_package(Brannock) and gets the targets Brannock::brannock
# (the framework) and Brannock::entry (the process entry), and
# brannock_add_game(): the same names as after add_subdirectory or
# FetchContent.
include(CMakePackageConfigHelpers)

set(BRANNOCK_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Brannock)

install(TARGETS brannock brannock_platform brannock_entry
    EXPORT BrannockTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT BrannockTargets
    NAMESPACE Brannock::
    DESTINATION ${BRANNOCK_PACKAGE_DIR})

# The headers, under include/brannock so that they keep their folder names
# ("framework/system.h") without taking such names in the prefix's include/:
# those of the framework's folders and, followed through their includes when
# installing, the platform headers they pull in. On Windows the include point
# platform/win32.h pulls in the real SDK instead, so it is not followed.
set(stop_at "")
if(WIN32)
    set(stop_at platform/win32.h)
endif()
install(CODE "
    include(\"${PROJECT_SOURCE_DIR}/cmake/InstallHeaders.cmake\")
    brannock_install_headers(
        SOURCE_DIR \"${PROJECT_SOURCE_DIR}\"
        DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_INCLUDEDIR}/brannock\"
        FOLDERS framework graphics sprite input
        STOP_AT ${stop_at})
")

# The package's dependencies, found again in the game's project.
set(BRANNOCK_FIND_DEPENDENCIES "")
if(TARGET Threads::Threads)
    string(APPEND BRANNOCK_FIND_DEPENDENCIES "find_dependency(Threads)\n")
endif()
if(BRANNOCK_HAVE_SDL2)
    string(APPEND BRANNOCK_FIND_DEPENDENCIES "find_dependency(SDL2)\n")
endif()

configure_package_config_file(cmake/BrannockConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/BrannockConfig.cmake
    INSTALL_DESTINATION ${BRANNOCK_PACKAGE_DIR})
# 0.x versions make no promise across minor versions.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/BrannockConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/BrannockConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/BrannockConfigVersion.cmake
    cmake/BrannockGame.cmake
    cmake/BrannockCopyData.cmake
    DESTINATION ${BRANNOCK_PACKAGE_DIR})
