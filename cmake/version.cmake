# The version number: CMake's project version, written into a generated header that every target
# can include as "zorbal_version.h". The header depends on nothing, so it sits below every layer.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/zorbal_version.h @ONLY)
include_directories(${PROJECT_BINARY_DIR}/generated)
