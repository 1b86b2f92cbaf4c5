# The demo's storyboard asked for in a folder that cannot be made: the error names the folder,
# the exit status is 2, and nothing else is done, not even the kept device root staged.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/in-the-way "")
execute_process(COMMAND ${SIM} --root ${WORK_DIR}/root demo --screenshots ${WORK_DIR}/in-the-way/story
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 2)
  message(FATAL_ERROR "exit status ${status}, expected 2")
endif()
string(FIND "${output}" "cannot make the directory ${WORK_DIR}/in-the-way/story" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the error does not name the folder")
endif()
if(EXISTS ${WORK_DIR}/root)
  message(FATAL_ERROR "the device root was staged before the folder was refused")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
