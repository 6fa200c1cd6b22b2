# Runs one automation example through the script host and compares what it
# prints with the .expected file beside it (line ends aside).
#   cmake -DEMULATOR=... -DSCRIPT=<path> -P RunExample.cmake
string(REPLACE "/" "\\" windows "Z:${SCRIPT}")
execute_process(COMMAND ${EMULATOR} cscript //nologo ${windows}
  OUTPUT_VARIABLE printed ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 120)
string(REPLACE "\r" "" printed "${printed}")
string(REGEX REPLACE "\\.vbs$" ".expected" expected_file "${SCRIPT}")
file(READ ${expected_file} expected)
if(NOT status EQUAL 0 OR NOT printed STREQUAL expected)
  message("printed:\n${printed}${errors}\nexpected:\n${expected}")
  message(FATAL_ERROR "${SCRIPT}: not what ${expected_file} says")
endif()
message("${printed}")
