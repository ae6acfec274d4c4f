# Helpers that turn the folder layout into targets, so that adding a file never needs a
# change here: every .cpp under src/<layer>/ belongs to that layer's library, every .cpp
# under tests/<layer>/ to that layer's test binary, and so on.

# q71_add_layer(<layer> DEPENDS <public deps...> PRIVATE_DEPENDS <private deps...>)
function(q71_add_layer layer)
    cmake_parse_arguments(ARG "" "" "DEPENDS;PRIVATE_DEPENDS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${layer}/*.cpp")
    if(sources)
        add_library(q71_${layer} STATIC ${sources})
        target_include_directories(q71_${layer} PUBLIC "${CMAKE_SOURCE_DIR}/src")
        target_link_libraries(q71_${layer} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
    else()
        add_library(q71_${layer} INTERFACE)
        target_include_directories(q71_${layer} INTERFACE "${CMAKE_SOURCE_DIR}/src")
        target_link_libraries(q71_${layer} INTERFACE ${ARG_DEPENDS})
    endif()
endfunction()
