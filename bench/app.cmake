# Start-up of the desktop program to a shown main window.
if(KELM_WITH_GUI)
  add_executable(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp)
  target_link_libraries(bench_startup PRIVATE kelm_app)
endif()
