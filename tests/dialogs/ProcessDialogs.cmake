humichart_test(process_rules_tests
  ratio_point_test.cpp
  process_rules_test.cpp
  mixer_rules_test.cpp
  sub_rules_test.cpp
  LIBS humichart_process_rules humichart_calc_native)
target_include_directories(process_rules_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/chart)
