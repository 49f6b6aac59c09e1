# The time every download carries (in its archives' entries, its package's files, the Linux
# window's resources): the caller's SOURCE_DATE_EPOCH, or else the last commit's time, so that the
# same commit gives the same bytes whenever and wherever it is built. A build from a folder that is
# not a git clone, with no SOURCE_DATE_EPOCH, takes the time it is configured at.
# HEXAGON_SOURCE_DATE_FILE changes only when the time does: what carries the time depends on it,
# so that a build folder used before remakes it with the new time, and only then.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(HEXAGON_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE HEXAGON_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE git_result ERROR_QUIET)
  endif()
  if(NOT GIT_FOUND OR NOT git_result EQUAL 0)
    string(TIMESTAMP HEXAGON_SOURCE_DATE_EPOCH %s UTC)
  endif()
endif()
if(NOT HEXAGON_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR
    "SOURCE_DATE_EPOCH must be seconds since 1970, not '${HEXAGON_SOURCE_DATE_EPOCH}'")
endif()
set(HEXAGON_SOURCE_DATE_FILE ${PROJECT_BINARY_DIR}/source_date_epoch)
file(CONFIGURE OUTPUT ${HEXAGON_SOURCE_DATE_FILE} CONTENT "${HEXAGON_SOURCE_DATE_EPOCH}\n")
