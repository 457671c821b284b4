# 32-bit Windows programs: the primary product.
set(QV_MINGW_TRIPLET i686-w64-mingw32)
set(QV_MINGW_PROCESSOR i686)
set(QV_WINDOWS_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
