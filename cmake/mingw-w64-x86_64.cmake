# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). Used for the project and for the Qt and hidapi it links.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZTV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZTV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZTV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZTV_MINGW_PREFIX}-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZTV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
