# The version's one source is project(Pulvar VERSION ...) in CMakeLists.txt.
# This writes what the code and the resources read from it into
# ${PULVAR_GENERATED_DIR}/res/: version.h (#defines) here, and the manifest in
# cmake/windows.cmake. scripts/version reads the same line for the scripts.

if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "project(Pulvar VERSION ...) must be three numbers, major.minor.revision "
                      "(it is \"${PROJECT_VERSION}\")")
endif()
# The version resource's text has room for two digits of minor and four of
# revision, and each number of the resource's own fields for 16 bits.
if(PROJECT_VERSION_MAJOR GREATER 65535 OR PROJECT_VERSION_MINOR GREATER 99
   OR PROJECT_VERSION_PATCH GREATER 9999)
  message(FATAL_ERROR "version ${PROJECT_VERSION}: the minor number must stay below 100 "
                      "and the revision below 10000")
endif()

# "1.00.0004": major, minor as two digits, revision as four.
set(minor "0${PROJECT_VERSION_MINOR}")
string(LENGTH "${minor}" length)
math(EXPR start "${length} - 2")
string(SUBSTRING "${minor}" ${start} 2 minor)
set(revision "000${PROJECT_VERSION_PATCH}")
string(LENGTH "${revision}" length)
math(EXPR start "${length} - 4")
string(SUBSTRING "${revision}" ${start} 4 revision)
set(PULVAR_FILE_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor}.${revision}")
# "1.0.0.4": the four numbers of a manifest's or an installer's version.
set(PULVAR_VERSION_FOUR "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")

set(PULVAR_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/res/version.h.in ${PULVAR_GENERATED_DIR}/res/version.h @ONLY)
