# Benchmark of importing game-record files: 2,000 files into one group.
sw_add_bench(bench_import ${CMAKE_CURRENT_SOURCE_DIR}/ImportBench.cpp)
