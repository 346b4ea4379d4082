# Makes the Debian package from the finished build (nothing is compiled) and
# checks it with lintian: any error or warning fails, as does any other output.
#   cmake -DCPACK=... -DBUILD_DIR=... -DOUT=... -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.25)

find_program(LINTIAN lintian)
if(NOT LINTIAN)
  message("lintian is not installed: the package check is skipped (./dev.sh test installs it)")
  return()
endif()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB debs ${OUT}/*.deb)
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages (${rc}):\n${log}")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE report ERROR_VARIABLE notes)
# lintian's notice about itself when run as root (in containers) is no finding.
string(REPLACE "running with root privileges is not recommended!\n" "" notes "${notes}")
if(NOT rc EQUAL 0 OR NOT report STREQUAL "" OR NOT notes STREQUAL "")
  message(FATAL_ERROR "lintian (${rc}) on ${debs}:\n${report}${notes}")
endif()
message("lintian finds nothing to report on ${debs}")
