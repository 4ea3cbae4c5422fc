# CPU time per received line of the reception worker, serial (pseudo-terminal) and file.
orvo_add_bench(bench_serial ${CMAKE_CURRENT_LIST_DIR}/serial_reception.cpp)
target_include_directories(bench_serial PRIVATE ${PROJECT_SOURCE_DIR}/tests)
