# Reading and writing game records over the corpus of other programs' files.
sw_add_bench(bench_formats ${CMAKE_CURRENT_SOURCE_DIR}/FormatsBench.cpp)
target_compile_definitions(bench_formats PRIVATE STONEWISE_CORPUS_DIR="${STONEWISE_CORPUS_DIR}")
