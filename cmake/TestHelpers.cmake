# add_gtest(name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One GoogleTest executable; its cases are discovered when ctest runs, so a
# sanitizer build never runs tests at build time. tests/support/TestMain.cpp
# fixes TZ=UTC, LC_ALL=C and QT_QPA_PLATFORM=offscreen for every test.
# Parameterised cases are listed by the names their suites give them
# (tests/support/CaseName.h), never by their printed parameter bytes.
function(add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  project_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # Under an emulator each start is slow: one test process per executable.
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
  endif()
endfunction()
