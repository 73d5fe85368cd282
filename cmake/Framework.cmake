# The framework library: application object, display, sprites and input.
file(GLOB_RECURSE BRANNOCK_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/framework/*.cpp
    ${PROJECT_SOURCE_DIR}/graphics/*.cpp
    ${PROJECT_SOURCE_DIR}/sprite/*.cpp
    ${PROJECT_SOURCE_DIR}/input/*.cpp)

add_library(brannock STATIC ${BRANNOCK_SOURCES})
add_library(Brannock::brannock ALIAS brannock)
# Games include the headers by folder ("framework/system.h"): from the source
# tree, or from include/brannock under an install prefix.
target_include_directories(brannock PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/brannock>)
target_compile_features(brannock PUBLIC cxx_std_20)
target_link_libraries(brannock PUBLIC brannock_platform)
