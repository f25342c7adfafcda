# One way to register a test program:
#
#   tavelo_add_test(NAME SOURCES f.cpp... LINKS target... [DEFINITIONS d...] [GTEST] [TIMEOUT s])
#
# GTEST programs are GoogleTest suites whose cases ctest lists one by one; the others are
# QtTest programs, one ctest entry each. Every test sees the tests folder as include root
# (support/…), runs offscreen at 96 DPI, and builds with the project's warnings.
function(tavelo_add_test name)
  cmake_parse_arguments(T "GTEST" "TIMEOUT" "SOURCES;LINKS;DEFINITIONS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LINKS} tavelo_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(T_DEFINITIONS)
    target_compile_definitions(${name} PRIVATE ${T_DEFINITIONS})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96")
  if(T_GTEST)
    gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${T_TIMEOUT})
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()
