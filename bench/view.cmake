# Board drawing: the view model of every point, a full redraw and a one-stone update of the
# off-screen picture. Painting needs the Qt face, so this benchmark comes with the program.
if(STONEWISE_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(bench_view ${CMAKE_CURRENT_SOURCE_DIR}/ViewBench.cpp)
  target_link_libraries(bench_view PRIVATE stonewise_qt benchmark::benchmark)
  target_compile_options(bench_view PRIVATE ${STONEWISE_WARNINGS})
endif()

# One short pass of every case: the benchmark itself must start and end cleanly.
if(STONEWISE_BUILD_GUI AND STONEWISE_BUILD_TESTS)
  add_test(NAME bench_view_runs COMMAND bench_view --benchmark_min_time=0.001)
  set_tests_properties(bench_view_runs PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
