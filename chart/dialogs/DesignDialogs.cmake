# The design tools' dialogs: "Supply air state", "Fresh air" and "Dew-point
# supply". Their rules are standard C++ over the design computations (tested
# natively and under Wine); the Win32 classes and templates join the chart's
# dialogs.
add_library(humichart_design_rules STATIC
  DesignTexts.cpp
  CDesignRules.cpp
  CSupplyAirRules.cpp
  CFreshAirRules.cpp
  CDewPointRules.cpp)
target_include_directories(humichart_design_rules PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(humichart_design_rules PUBLIC humichart_dialog_rules humichart_design)
set_target_properties(humichart_design_rules PROPERTIES POSITION_INDEPENDENT_CODE ON)

if(WIN32)
  target_sources(humichart_dialogs PRIVATE
    CDlgSupplyAir.cpp
    CDlgFreshAir.cpp
    CDlgDewPoint.cpp)
  target_link_libraries(humichart_dialogs PUBLIC humichart_design_rules)
  target_sources(humichart_dialogs INTERFACE ${PROJECT_SOURCE_DIR}/resources/DesignDialogs.rc)
endif()
