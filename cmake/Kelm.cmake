# One helper per kind of target, so every room and test is declared the same way.

# kelm_library(NAME SOURCES ... [ROOM DIR | HEADERS ...] [DEPS ...]) : a static library of one
# room. Its public include path is a folder of its own holding only the room (ROOM: the folder
# DIR, reached as "<name of DIR>/..."; HEADERS: just these files, reached as
# "<their folder's name>/..."), so a library reaches another room only through its DEPS and an
# include of a room above it fails to compile.
function(kelm_library name)
  cmake_parse_arguments(A "" "ROOM" "SOURCES;DEPS;HEADERS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  if(A_ROOM)
    get_filename_component(room ${A_ROOM} NAME)
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${A_ROOM} ${root}/${room} SYMBOLIC)
  endif()
  foreach(header ${A_HEADERS})
    get_filename_component(folder ${header} DIRECTORY)
    get_filename_component(room ${folder} NAME)
    get_filename_component(file ${header} NAME)
    file(MAKE_DIRECTORY ${root}/${room})
    file(CREATE_LINK ${header} ${root}/${room}/${file} SYMBOLIC)
  endforeach()
  if(A_ROOM OR A_HEADERS)
    target_include_directories(${name} PUBLIC ${root})
  endif()
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# kelm_test(NAME SOURCES ... [DEPS ...] [GUI] [E2E]) : a GoogleTest program registered with CTest.
# GUI tests run on the offscreen platform; E2E tests are labelled so they can be run alone.
function(kelm_test name)
  cmake_parse_arguments(A "GUI;E2E" "" "SOURCES;DEPS" ${ARGN})
  if(A_GUI AND NOT KELM_WITH_GUI)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(labels unit)
  set(env "LC_ALL=C.UTF-8")
  if(A_GUI)
    set(labels gui)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(A_E2E)
    set(labels e2e)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()

# kelm_fuzz(NAME SOURCES ... DEPS ...) : a libFuzzer harness (only in the fuzz build).
function(kelm_fuzz name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
