# The whole-process load of orvoview-cli against a program reading the same file into memory.
add_executable(orvo_read_into_memory ${CMAKE_CURRENT_LIST_DIR}/read_into_memory.cpp)
orvo_set_warnings(orvo_read_into_memory)
orvo_add_bench(bench_load_process ${CMAKE_CURRENT_LIST_DIR}/LoadProcessBench.cpp)
add_dependencies(bench_load_process orvoview-cli orvo_read_into_memory)
target_compile_definitions(bench_load_process PRIVATE
    ORVO_CLI="$<TARGET_FILE:orvoview-cli>"
    ORVO_READ_INTO_MEMORY="$<TARGET_FILE:orvo_read_into_memory>")
