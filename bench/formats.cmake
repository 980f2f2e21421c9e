# Reading and writing game records over the corpus of other programs' files.
sw_add_bench(bench_formats ${CMAKE_CURRENT_SOURCE_DIR}/FormatsBench.cpp)
target_compile_definitions(bench_formats PRIVATE STONEWISE_CORPUS_DIR="${STONEWISE_CORPUS_DIR}")

# Every record of the corpus printed field by field: a reader change that keeps the output keeps
# what is read.
add_executable(record_dump ${CMAKE_CURRENT_SOURCE_DIR}/RecordDump.cpp)
target_link_libraries(record_dump PRIVATE stonewise_core)
target_compile_options(record_dump PRIVATE ${STONEWISE_WARNINGS})
target_compile_definitions(record_dump PRIVATE STONEWISE_CORPUS_DIR="${STONEWISE_CORPUS_DIR}")
