# orvoview-cli: writing received days as JSON (days/s, MB/s of JSON).
orvo_add_bench(bench_cli_json ${CMAKE_CURRENT_LIST_DIR}/cli_json.cpp)
target_link_libraries(bench_cli_json PRIVATE orvo_cli orvo_reportgen)
