# The test-transaction run against kelmemu, over TCP and a pseudo-terminal.
if(TARGET kelm_sales AND TARGET kelmemu)
  add_executable(bench_test_run ${CMAKE_CURRENT_LIST_DIR}/bench_test_run.cpp)
  target_link_libraries(bench_test_run PRIVATE kelm_sales kelm_catalogue kelm_testsupport)
  add_dependencies(bench_test_run kelmemu)
endif()
