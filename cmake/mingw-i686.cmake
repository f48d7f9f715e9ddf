# Cross-build of the Windows program: 32-bit, mingw-w64 with the win32 thread
# model (no libwinpthread), everything linked statically. For test runs on a
# machine whose Wine can only run 64-bit programs, the same sources build as a
# 64-bit program with -DTOLVANE_MINGW_PREFIX=x86_64-w64-mingw32.
set(CMAKE_SYSTEM_NAME Windows)

set(TOLVANE_MINGW_PREFIX i686-w64-mingw32 CACHE STRING "mingw-w64 target prefix")
if(TOLVANE_MINGW_PREFIX MATCHES "^x86_64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
else()
  set(CMAKE_SYSTEM_PROCESSOR i686)
  # Doubles in SSE2 registers, as on x86-64: no x87 extended precision, so
  # both builds compute the same bits.
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
endif()
set(CMAKE_C_COMPILER ${TOLVANE_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOLVANE_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${TOLVANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOLVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Small programs: no exceptions, unwind tables or run-time type information
# (nothing uses them), every function in a section of its own so that the linker
# drops what nothing calls, and no symbols in what is shipped.
string(APPEND CMAKE_CXX_FLAGS_INIT " -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -ffunction-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s")
