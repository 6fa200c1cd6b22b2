humichart_test(process_rules_tests
  ratio_point_test.cpp
  process_rules_test.cpp
  mixer_rules_test.cpp
  sub_rules_test.cpp
  LIBS humichart_process_rules humichart_calc_native)
target_include_directories(process_rules_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/chart)

# The dialogs for real over a chart window with the registered calculator, in
# English, and once more in a process whose interface language is Chinese: a
# Chinese locale compiled into the build tree (no system locale needed) and
# given to Wine through LOCPATH.
if(WIN32)
  add_executable(process_dialog_tests process_dialogs_test.cpp process_templates_test.cpp)
  target_link_libraries(process_dialog_tests PRIVATE humichart_dialogs humichart_chart_host GTest::gtest_main)
  target_include_directories(process_dialog_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  add_dependencies(process_dialog_tests Humicalc)
  gtest_discover_tests(process_dialog_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_FILTER -*Chinese*
    PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED humicalc_registered RESOURCE_LOCK prefix)

  set(process_dialogs_locales ${CMAKE_CURRENT_BINARY_DIR}/locales)
  file(MAKE_DIRECTORY ${process_dialogs_locales})
  add_test(NAME process_dialogs_chinese_locale
    COMMAND localedef -i zh_CN -f UTF-8 ${process_dialogs_locales}/zh_CN.UTF-8)
  set_tests_properties(process_dialogs_chinese_locale PROPERTIES FIXTURES_SETUP process_dialogs_chinese)
  add_test(NAME process_dialog_tests_chinese
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:process_dialog_tests> --gtest_filter=*Chinese*)
  set_tests_properties(process_dialog_tests_chinese PROPERTIES
    ENVIRONMENT "LOCPATH=${process_dialogs_locales};LC_ALL=zh_CN.UTF-8"
    FIXTURES_REQUIRED "humicalc_registered;process_dialogs_chinese" RESOURCE_LOCK prefix TIMEOUT 300
    FAIL_REGULAR_EXPRESSION "SKIPPED|FAILED")
endif()
