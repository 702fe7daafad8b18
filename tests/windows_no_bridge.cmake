# Runs the Windows executable (through RUNNER) with no bridge attached and checks the exact bytes it
# writes and its exit status: the banner, the open error, the prompt, and -1.
set(folder "${CMAKE_CURRENT_BINARY_DIR}/no-bridge-run")
file(REMOVE_RECURSE "${folder}")
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${folder}/empty-input" "")
execute_process(COMMAND ${RUNNER} ${PROGRAM}
                WORKING_DIRECTORY "${folder}"
                INPUT_FILE "${folder}/empty-input"
                OUTPUT_FILE "${folder}/out"
                ERROR_FILE "${folder}/err"
                RESULT_VARIABLE status)
file(READ "${folder}/out" out HEX)
file(READ "${folder}/err" err HEX)

string(HEX "MIRENTA VORNIC FW UPDATE\nPress any key to exit.\n" want_out)
string(ASCII 13 cr)
string(HEX "ERROR: Could not open device. Make sure unit is powered on and USB cable is connected${cr}\n" want_err)

set(failed FALSE)
if(NOT out STREQUAL want_out)
  message(SEND_ERROR "standard output: ${out}\n          wanted: ${want_out}")
endif()
if(NOT err STREQUAL want_err)
  message(SEND_ERROR "standard error: ${err}\n         wanted: ${want_err}")
endif()
# -1 from a Windows program is 255 once it reaches a POSIX parent.
if(NOT status STREQUAL "255")
  message(SEND_ERROR "exit status ${status}, wanted 255 (-1)")
endif()
