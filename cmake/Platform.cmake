# The platform layer: the Win32 / DirectDraw subset on top of a display
# backend. Windows links the real system libraries instead.
# brannock_entry is the process entry of programs (main handing over to
# WinMain); test executables have their own.
add_library(brannock_platform INTERFACE)
add_library(brannock_entry INTERFACE)

if(WIN32)
    target_link_libraries(brannock_platform INTERFACE user32 gdi32 winmm ddraw dxguid)
    # WinMain lives in the static framework library, but only the C runtime's
    # entry, linked last, refers to it: make programs pull it in.
    if(MSVC)
        target_link_options(brannock_entry INTERFACE /INCLUDE:WinMain)
    else()
        target_link_options(brannock_entry INTERFACE -Wl,--undefined=WinMain)
    endif()
    return()
endif()

file(GLOB_RECURSE BRANNOCK_PLATFORM_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/platform/*.cpp)
list(FILTER BRANNOCK_PLATFORM_SOURCES EXCLUDE REGEX "/platform/(backend/sdl2|entry)/")

set(BRANNOCK_HAVE_SDL2 OFF)
if(BRANNOCK_SDL2)
    find_package(SDL2 QUIET)
    file(GLOB BRANNOCK_SDL2_SOURCES CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/platform/backend/sdl2/*.cpp)
    if(SDL2_FOUND AND BRANNOCK_SDL2_SOURCES)
        set(BRANNOCK_HAVE_SDL2 ON)
        list(APPEND BRANNOCK_PLATFORM_SOURCES ${BRANNOCK_SDL2_SOURCES})
    else()
        message(STATUS "SDL2 not found: only the headless backend is built")
    endif()
endif()

find_package(Threads REQUIRED)
add_library(brannock_platform_impl STATIC ${BRANNOCK_PLATFORM_SOURCES})
target_include_directories(brannock_platform_impl PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(brannock_platform_impl PUBLIC Threads::Threads)
if(BRANNOCK_HAVE_SDL2)
    target_compile_definitions(brannock_platform_impl PRIVATE BRANNOCK_HAVE_SDL2=1)
    if(TARGET SDL2::SDL2)
        target_link_libraries(brannock_platform_impl PRIVATE SDL2::SDL2)
    else()
        target_include_directories(brannock_platform_impl PRIVATE ${SDL2_INCLUDE_DIRS})
        target_link_libraries(brannock_platform_impl PRIVATE ${SDL2_LIBRARIES})
    endif()
endif()
target_link_libraries(brannock_platform INTERFACE brannock_platform_impl)

file(GLOB BRANNOCK_ENTRY_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/entry/*.cpp)
if(BRANNOCK_ENTRY_SOURCES)
    add_library(brannock_entry_impl OBJECT ${BRANNOCK_ENTRY_SOURCES})
    target_link_libraries(brannock_entry_impl PUBLIC brannock_platform_impl)
    target_link_libraries(brannock_entry INTERFACE brannock_entry_impl $<TARGET_OBJECTS:brannock_entry_impl>)
endif()
