# Cross build of the Windows binaries with MinGW-w64 (POSIX threads flavour).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(shared_linker_extra "")
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
