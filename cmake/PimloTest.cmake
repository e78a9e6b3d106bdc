# pimlo_add_test(NAME SOURCES... LIBS libs...): one GoogleTest program run by
# CTest; in the Windows builds through the crossing emulator (Wine).
function(pimlo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
