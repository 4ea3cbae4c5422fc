# Arbitrary bytes through the line clean-up and the report parser.
orvo_add_fuzzer(fuzz_report_parser ${CMAKE_CURRENT_LIST_DIR}/ReportParserFuzz.cpp)
