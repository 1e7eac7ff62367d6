add_executable(bench_check_last_command ${CMAKE_CURRENT_LIST_DIR}/check_last_command_bench.cpp)
target_include_directories(bench_check_last_command PRIVATE ${CMAKE_SOURCE_DIR}/src
                           ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_check_last_command PRIVATE kelm_link kelm_scripted_printer)
