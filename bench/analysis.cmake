# The analysis of a report month of 1-minute data, with its twelve-month maximum over a year.
orvo_add_bench(bench_analysis AnalysisBench.cpp)
