# Arbitrary bytes as Analysis.INI plus an export file through every analysis function.
orvo_add_fuzzer(fuzz_analysis ${CMAKE_CURRENT_LIST_DIR}/AnalysisFuzz.cpp)
