orvo_add_bench(bench_textout ${CMAKE_CURRENT_LIST_DIR}/textout_csv.cpp)
