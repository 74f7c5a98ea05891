# The test fixture that makes the Debian package of this build, afresh each time.
# Run as: cmake -DCPACK=... -DBUILD_DIR=... -DOUT_DIR=... -P makepackage.cmake
file(REMOVE_RECURSE ${OUT_DIR})
execute_process(
  # gzip instead of the release package's xz: the same package, made in a fifth of
  # the time.
  COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR}
          -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()
message(STATUS "${output}")
