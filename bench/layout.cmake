# Place and paint of a report page through the QPainter back end (needs Qt).
if(ORVO_BUILD_GUI)
    add_executable(bench_layout ${CMAKE_CURRENT_LIST_DIR}/layout_bench.cpp)
    target_link_libraries(bench_layout PRIVATE orvo_layout_gui benchmark::benchmark)
    target_include_directories(bench_layout PRIVATE ${PROJECT_SOURCE_DIR})
    orvo_set_warnings(bench_layout)
endif()
