# The other parsers of outside bytes: INI file and window placement, date texts, CP932 and the
# half-width mapping, the serial line reader, the command-line arguments.
orvo_add_fuzzer(fuzz_profile ${CMAKE_CURRENT_LIST_DIR}/ProfileFuzz.cpp)
orvo_add_fuzzer(fuzz_date_text ${CMAKE_CURRENT_LIST_DIR}/DateTextFuzz.cpp)
orvo_add_fuzzer(fuzz_sjis ${CMAKE_CURRENT_LIST_DIR}/SjisFuzz.cpp)
orvo_add_fuzzer(fuzz_serial_line ${CMAKE_CURRENT_LIST_DIR}/SerialLineFuzz.cpp)
orvo_add_fuzzer(fuzz_cli_args ${CMAKE_CURRENT_LIST_DIR}/CliArgsFuzz.cpp)
target_link_libraries(fuzz_cli_args PRIVATE orvo_cli)
