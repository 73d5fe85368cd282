# The framework library: application object, display, sprites and input.
file(GLOB_RECURSE BRANNOCK_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/framework/*.cpp
    ${PROJECT_SOURCE_DIR}/graphics/*.cpp
    ${PROJECT_SOURCE_DIR}/sprite/*.cpp
    ${PROJECT_SOURCE_DIR}/input/*.cpp)

if(BRANNOCK_SOURCES)
    add_library(brannock STATIC ${BRANNOCK_SOURCES})
    target_include_directories(brannock PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(brannock PUBLIC brannock_platform)
else()
    add_library(brannock INTERFACE)
    target_include_directories(brannock INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(brannock INTERFACE brannock_platform)
endif()
