# The process dialogs: "Transfer processes", "Mix processes" and their two
# questions "Get point by HOM" and "Get air flow". Their rules and the point
# by heat-moisture ratio are standard C++ (tested natively and under Wine);
# the Win32 classes and templates join the chart's dialogs.
add_library(humichart_process_rules STATIC
  PointByRatio.cpp
  CSubProcessRules.cpp
  CSubProcessFlowRules.cpp
  CNewProcessRules.cpp
  CNewMixerRules.cpp)
target_include_directories(humichart_process_rules PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(humichart_process_rules PUBLIC humichart_dialog_rules humichart_design)
set_target_properties(humichart_process_rules PROPERTIES POSITION_INDEPENDENT_CODE ON)

if(WIN32)
  target_sources(humichart_dialogs PRIVATE
    LoadDialogString.cpp
    CDlgSubProcess.cpp
    CDlgSubProcessFlow.cpp
    CProcessSubDialogs.cpp
    CDlgNewProcess.cpp
    CDlgNewMixer.cpp)
  target_link_libraries(humichart_dialogs PUBLIC humichart_process_rules)
  target_sources(humichart_dialogs INTERFACE ${PROJECT_SOURCE_DIR}/resources/ProcessDialogs.rc)
endif()
