# A person's own font rules do not reach the pictures: with a rule of theirs that makes Inter
# another font, a screenshot has the same bytes as without it. The rule is read from where the
# machine's fontconfig looks for a person's rules, XDG_CONFIG_HOME.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/plain ${WORK_DIR}/own-rules/fontconfig)
file(WRITE ${WORK_DIR}/own-rules/fontconfig/fonts.conf [=[<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="pattern">
    <test name="family"><string>Inter</string></test>
    <edit name="family" mode="assign" binding="strong"><string>DejaVu Sans Mono</string></edit>
  </match>
</fontconfig>
]=])
# The rule must be one the machine's fontconfig follows, or the check shows nothing.
find_program(FC_MATCH fc-match)
if(FC_MATCH)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK_DIR}/own-rules ${FC_MATCH} Inter
                  OUTPUT_VARIABLE matched)
  if(NOT matched MATCHES "DejaVu Sans Mono")
    message("skipped: this machine's fontconfig does not read a person's rules from XDG_CONFIG_HOME")
    return()
  endif()
endif()
foreach(rules plain own-rules)
  file(WRITE ${WORK_DIR}/${rules}.sim
       "boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\ntap sleep\n"
       "screenshot cc ${WORK_DIR}/${rules}.png\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK_DIR}/${rules} ${SIM} ${WORK_DIR}/${rules}.sim
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${rules}: exit status ${status}\n${output}")
  endif()
endforeach()
file(READ ${WORK_DIR}/plain.png plain HEX)
file(READ ${WORK_DIR}/own-rules.png own HEX)
if(NOT plain STREQUAL own)
  message(FATAL_ERROR "the person's font rule changed the picture")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
