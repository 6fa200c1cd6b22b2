# Cross build of the 32-bit Windows binaries (for 32-bit hosts such as 32-bit
# Office) with MinGW-w64, POSIX threads flavour: the same project as the
# x86-64 build, only the target differs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
# The exports carry their plain names (DllGetClassObject, not
# DllGetClassObject@12), as COM looks them up.
set(shared_linker_extra "-Wl,--kill-at")
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
# The x87 unit would round intermediates to 80 bits; SSE2 keeps every double a
# double, so the calculator answers bit for bit as in the 64-bit build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
