# The shipped program: 32-bit Windows.
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_PROCESSOR x86)
# SSE2 arithmetic instead of the x87 unit's 80-bit registers, so that layout
# and picture sizes round exactly as in the 64-bit build the tests run.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
