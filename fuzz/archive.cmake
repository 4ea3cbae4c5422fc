# Arbitrary bytes through the data-file and export-file loader.
orvo_add_fuzzer(fuzz_archive_loader ${CMAKE_CURRENT_LIST_DIR}/ArchiveLoaderFuzz.cpp)
