# Benchmarks of src/app: keeping the recovery file after a change.
sw_add_bench(bench_app ${CMAKE_CURRENT_SOURCE_DIR}/AppBench.cpp)
