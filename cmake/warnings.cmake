# Warning flags for our own targets, linked privately everywhere.
add_library(zorbal_warnings INTERFACE)
add_library(zorbal::warnings ALIAS zorbal_warnings)
target_compile_options(zorbal_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  $<$<BOOL:${ZORBAL_WARNINGS_AS_ERRORS}>:-Werror>)
