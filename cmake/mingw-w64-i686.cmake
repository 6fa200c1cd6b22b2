# Cross build of the 32-bit Windows binaries (for 32-bit hosts such as 32-bit
# Office) with MinGW-w64, POSIX threads flavour: the same project as the
# x86-64 build, only the target differs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Nothing of the MinGW runtime has to travel with the binaries.  The x87 unit
# would round intermediates to 80 bits; SSE2 keeps every double a double, so
# the calculator answers bit for bit as in the 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# The exports carry their plain names (DllGetClassObject, not
# DllGetClassObject@12), as COM looks them up.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--kill-at")
# The shipped libraries go out without their symbol tables (two thirds of
# their size); a Debug build keeps them.
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
