# The tested build: 64-bit Windows, which 64-bit Wine runs on machines that
# cannot execute 32-bit code.
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
