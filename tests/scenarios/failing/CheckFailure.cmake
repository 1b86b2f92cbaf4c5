# Runs the simulator on SCRIPT and checks that it fails as the script's first line says:
# "# exit STATUS: MESSAGE", where MESSAGE must appear in what the simulator printed.
file(STRINGS ${SCRIPT} header LIMIT_COUNT 1)
if(NOT header MATCHES "^# exit ([0-9]+): (.+)$")
  message(FATAL_ERROR "${SCRIPT}: the first line must read \"# exit STATUS: MESSAGE\"")
endif()
set(expected_status ${CMAKE_MATCH_1})
set(expected_message "${CMAKE_MATCH_2}")

execute_process(COMMAND ${SIM} ${SCRIPT} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}")
endif()
string(FIND "${output}" "${expected_message}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "no message \"${expected_message}\"")
endif()
