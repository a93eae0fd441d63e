# Shared part of the mingw-w64 toolchain files; the posix thread model is the one
# whose libstdc++ has std::mutex and friends.
set(CMAKE_C_COMPILER ${ZR640_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZR640_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZR640_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZR640_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
