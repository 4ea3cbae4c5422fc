# The core is a set of small static libraries, one per subsystem folder, standard C++ only.
# `orvo_core` links them all; tests and tools link the part they exercise.
add_library(orvo_core INTERFACE)
function(orvo_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC Threads::Threads ${ARG_DEPENDS})
    orvo_set_warnings(${name})
    target_link_libraries(orvo_core INTERFACE ${name})
endfunction()

# GUI libraries (Qt Widgets), one per folder that has GUI files; `orvo_gui` links them all.
add_library(orvo_gui INTERFACE)
function(orvo_gui_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC Qt6::Widgets Qt6::PrintSupport Qt6::Network ${ARG_DEPENDS})
    orvo_set_warnings(${name})
    target_link_libraries(orvo_gui INTERFACE ${name})
endfunction()
