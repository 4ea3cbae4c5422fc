# Save and load of a large store against plain file I/O of the same size; memory after load.
orvo_add_bench(bench_store StoreBench.cpp)
