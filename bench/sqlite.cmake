# export-sqlite against the same rows in tables without keys or indexes; database size.
orvo_add_bench(bench_sqlite SqliteBench.cpp)
target_link_libraries(bench_sqlite PRIVATE orvo_sqlite_export SQLite::SQLite3)
