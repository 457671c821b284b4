# Cross-compiling the Windows programs with mingw-w64. The including toolchain
# file names the target: QV_MINGW_TRIPLET (i686-w64-mingw32 or
# x86_64-w64-mingw32), QV_MINGW_PROCESSOR and QV_WINDOWS_ARCH (x86 or x64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QV_MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${QV_MINGW_TRIPLET}-gcc-posix)  # posix threads: GoogleTest needs std::mutex
set(CMAKE_CXX_COMPILER ${QV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The cross-built tests run under Wine, in the prefix of their own architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env QV_WINDOWS_ARCH=${QV_WINDOWS_ARCH} ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine/wine-run.sh)
