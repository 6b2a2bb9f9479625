# Each folder of the program is a library of its own. Its include root holds
# a link to that folder only, and it links only the folders below it, so an
# include that points up (or sideways) finds no header and fails to build.
#
#   orienzo_layer(<folder> [BELOW <library>...] [EXCEPT <source>...])
function(orienzo_layer folder)
    cmake_parse_arguments(LAYER "" "" "BELOW;EXCEPT" ${ARGN})
    set(root ${PROJECT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    file(GLOB sources CONFIGURE_DEPENDS *.cpp *.h)
    foreach(excepted ${LAYER_EXCEPT})
        list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excepted})
    endforeach()
    add_library(orienzo_${folder} STATIC ${sources})
    target_include_directories(orienzo_${folder} PUBLIC ${root})
    target_link_libraries(orienzo_${folder} PUBLIC ${LAYER_BELOW})
endfunction()
