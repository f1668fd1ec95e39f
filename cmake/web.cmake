# The WebAssembly build with Emscripten (configure with emcmake, preset "web"): exceptions as
# WebAssembly exceptions, a memory that grows with long flights, one thread. Test programs run
# under node with the host's file system.
if(NOT EMSCRIPTEN)
  return()
endif()

add_compile_options(-fwasm-exceptions -mnontrapping-fptoint)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1)

# node runs the test programs: Debian's emscripten loader needs its JavaScript packages and, on
# node 18 or later, node's own fetch switched off so it reads the module from the file.
set(ZORBAL_NODE_RUNNER ${CMAKE_BINARY_DIR}/run-node.sh)
file(WRITE ${ZORBAL_NODE_RUNNER}
     "#!/bin/sh\nNODE_PATH=/usr/share/nodejs exec node --no-experimental-fetch --stack-size=4000 \"$@\"\n")
file(CHMOD ${ZORBAL_NODE_RUNNER} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORBAL_NODE_RUNNER})

# GoogleTest from Debian's sources, built for WebAssembly (the prebuilt libraries are native).
function(zorbal_add_wasm_googletest)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main gmock)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
endfunction()
