# add_gtest(name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One GoogleTest executable; its cases are discovered when ctest runs, so a
# sanitizer build never runs tests at build time.
function(add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  project_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "TZ=UTC;LC_ALL=C;QT_QPA_PLATFORM=offscreen")
endfunction()
