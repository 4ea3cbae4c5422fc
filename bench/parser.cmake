# Report parser throughput (lines/s, MB/s) next to splitting the same bytes into lines.
orvo_add_bench(bench_parser ${CMAKE_CURRENT_LIST_DIR}/parser_report.cpp)
target_link_libraries(bench_parser PRIVATE orvo_reportgen)
