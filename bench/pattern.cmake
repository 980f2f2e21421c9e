# Benchmarks of src/search: searches of a database built from the bench games (bench/pattern-bench.sh).
add_executable(bench_pattern ${CMAKE_CURRENT_SOURCE_DIR}/PatternBench.cpp)
target_link_libraries(bench_pattern PRIVATE stonewise_core benchmark::benchmark)
target_compile_options(bench_pattern PRIVATE ${STONEWISE_WARNINGS})
