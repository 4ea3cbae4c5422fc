# A day or month change with the analysis view shown, over a circuit holding a year of minutes.
if(ORVO_BUILD_GUI)
    orvo_add_bench(bench_analysis_view AnalysisViewBench.cpp)
    target_link_libraries(bench_analysis_view PRIVATE orvo_app_gui)
endif()
