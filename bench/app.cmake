# Start-up to the first paint of the main window with a large data file, against the bare load
# of the same file.
if(ORVO_BUILD_GUI)
    orvo_add_bench(bench_app AppStartupBench.cpp)
    target_link_libraries(bench_app PRIVATE orvo_app_gui)
endif()
