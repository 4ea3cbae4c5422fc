# A monthly report and a day of 1440 samples (31 pages) into a PDF file, against plain pages.
if(ORVO_BUILD_GUI)
    orvo_add_bench(bench_print_pdf PrintPdfBench.cpp)
    target_link_libraries(bench_print_pdf PRIVATE orvo_app_gui orvo_reportgen)
endif()
