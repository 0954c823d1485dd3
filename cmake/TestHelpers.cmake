# add_gtest(name SOURCES a.cpp b.cpp [POSIX_ONLY c.cpp WHY "reason"] LIBS lib1 lib2)
# One GoogleTest executable; POSIX_ONLY sources test what only POSIX systems
# have (fork, named pipes, resource limits, mounts) and are left out of a
# Windows build, which says so with the reason. Its cases are discovered when
# ctest runs, so a sanitizer build never runs tests at build time. tests/support/TestMain.cpp
# fixes TZ=UTC, LC_ALL=C and QT_QPA_PLATFORM=offscreen for every test.
# Parameterised cases are listed by the names their suites give them
# (tests/support/CaseName.h), never by their printed parameter bytes.
function(add_gtest name)
  cmake_parse_arguments(T "" "WHY" "SOURCES;POSIX_ONLY;LIBS" ${ARGN})
  if(WIN32 AND T_POSIX_ONLY)
    message(STATUS "${name}: leaves out ${T_POSIX_ONLY} on Windows: ${T_WHY}")
  else()
    list(APPEND T_SOURCES ${T_POSIX_ONLY})
  endif()
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  project_warnings(${name})
  posix_names_on_windows(${name})
  if(CMAKE_CROSSCOMPILING)
    # Under an emulator each start is slow: one test process per executable.
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
  endif()
endfunction()

# Gives the C++ sources of a test target the POSIX names the tests use
# (setenv, mkdtemp, ...) in a Windows build.
function(posix_names_on_windows target)
  if(WIN32)
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-include ${PROJECT_SOURCE_DIR}/tests/support/PosixOnWindows.h>)
  endif()
endfunction()

# windows_skip(<test> <reason> <case-pattern>...)
# Cases that check what only POSIX systems do (the C library's own time zone
# database, file modes, symbolic links) are filtered out of a Windows run of
# <test>; the configure step and the test's output both name them.
function(windows_skip test reason)
  if(NOT WIN32)
    return()
  endif()
  list(JOIN ARGN ":" patterns)
  message(STATUS "${test}: skips ${patterns} on Windows: ${reason}")
  get_property(filter TEST ${test} PROPERTY ENVIRONMENT)
  if(filter MATCHES "GTEST_FILTER=-(.*)")
    set(patterns "${CMAKE_MATCH_1}:${patterns}")
  endif()
  set_property(TEST ${test} PROPERTY ENVIRONMENT "GTEST_FILTER=-${patterns}")
endfunction()
