# Benchmarks of src/store: opening a full group and reading and writing a game file.
sw_add_bench(bench_store ${CMAKE_CURRENT_SOURCE_DIR}/StoreBench.cpp)
