# The platform layer (brannock_platform): the Win32 / DirectDraw subset on top
# of a display backend; Windows links the real system libraries instead.
# brannock_entry is the process entry of programs; test executables have
# their own.
if(WIN32)
    add_library(brannock_platform INTERFACE)
    target_link_libraries(brannock_platform INTERFACE user32 gdi32 winmm ddraw dxguid)

    # The C runtime's entry calls WinMain, which lives in the static framework
    # library; the runtime is linked last, so make programs pull it in.
    add_library(brannock_entry INTERFACE)
    target_link_libraries(brannock_entry INTERFACE brannock)
    if(MSVC)
        target_link_options(brannock_entry INTERFACE /INCLUDE:WinMain)
    else()
        target_link_options(brannock_entry INTERFACE -Wl,--undefined=WinMain)
    endif()
else()
    file(GLOB_RECURSE BRANNOCK_PLATFORM_SOURCES CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/platform/*.cpp)
    list(FILTER BRANNOCK_PLATFORM_SOURCES EXCLUDE REGEX "/platform/(backend/sdl2|entry)/")

    set(BRANNOCK_HAVE_SDL2 OFF)
    if(BRANNOCK_SDL2)
        find_package(SDL2 QUIET)
        file(GLOB BRANNOCK_SDL2_SOURCES CONFIGURE_DEPENDS
            ${PROJECT_SOURCE_DIR}/platform/backend/sdl2/*.cpp)
        # The imported target, not SDL2's variables: the exported package
        # names it and finds SDL2 again in the game's project.
        if(TARGET SDL2::SDL2 AND BRANNOCK_SDL2_SOURCES)
            set(BRANNOCK_HAVE_SDL2 ON)
            list(APPEND BRANNOCK_PLATFORM_SOURCES ${BRANNOCK_SDL2_SOURCES})
        else()
            message(STATUS "SDL2 not found: only the headless backend is built")
        endif()
    endif()

    find_package(Threads REQUIRED)
    add_library(brannock_platform STATIC ${BRANNOCK_PLATFORM_SOURCES})
    target_include_directories(brannock_platform PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/brannock>)
    target_link_libraries(brannock_platform PUBLIC Threads::Threads)
    if(BRANNOCK_HAVE_SDL2)
        target_compile_definitions(brannock_platform PRIVATE BRANNOCK_HAVE_SDL2=1)
        target_link_libraries(brannock_platform PRIVATE SDL2::SDL2)
    endif()

    # main() in a static library, as gtest_main does it: the C start-up code
    # refers to main, so the linker takes this one unless the program has
    # its own. It calls WinMain, which the framework library provides.
    add_library(brannock_entry STATIC ${PROJECT_SOURCE_DIR}/platform/entry/main.cpp)
    target_link_libraries(brannock_entry PUBLIC brannock_platform brannock)
endif()

set_target_properties(brannock_platform PROPERTIES EXPORT_NAME platform)
set_target_properties(brannock_entry PROPERTIES EXPORT_NAME entry)
add_library(Brannock::platform ALIAS brannock_platform)
add_library(Brannock::entry ALIAS brannock_entry)
