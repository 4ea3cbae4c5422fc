orvo_add_bench(bench_support ${CMAKE_CURRENT_LIST_DIR}/SupportBench.cpp)
