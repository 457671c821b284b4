# 64-bit Windows programs: what a 64-bit Windows installs in System32.
set(QV_MINGW_TRIPLET x86_64-w64-mingw32)
set(QV_MINGW_PROCESSOR x86_64)
set(QV_WINDOWS_ARCH x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
