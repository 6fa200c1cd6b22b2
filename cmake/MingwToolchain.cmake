# What both MinGW-w64 cross builds share (POSIX threads flavour); the
# architecture's toolchain file sets CMAKE_SYSTEM_PROCESSOR and triple first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Nothing of the MinGW runtime has to travel with the binaries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static ${shared_linker_extra}")
# The shipped libraries go out without their symbol tables (two thirds of
# their size); a Debug build keeps them.
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
