# Hint 101 to the end of the paint of the table and graph views, against the paint alone.
if(ORVO_BUILD_GUI)
    orvo_add_bench(bench_views ViewsBench.cpp)
    target_link_libraries(bench_views PRIVATE orvo_app_gui orvo_reportgen)
endif()
