# Build-time check of a program's embedded application manifest: every
# processorArchitecture it names must be the build's own. A 64-bit program
# whose common-controls dependency says x86 does not start on 64-bit Windows
# (a side-by-side error), and Wine does not show that.
#   cmake -DPROGRAM=<exe> -DARCH=<x86|amd64> -P CheckManifestArch.cmake
file(STRINGS "${PROGRAM}" lines REGEX "processorArchitecture=")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM}: no embedded manifest names a processor architecture")
endif()
foreach(line IN LISTS lines)
  string(REGEX MATCHALL "processorArchitecture=\"[^\"]*\"" names "${line}")
  foreach(name IN LISTS names)
    if(NOT name STREQUAL "processorArchitecture=\"${ARCH}\"")
      message(FATAL_ERROR "${PROGRAM}: embedded manifest says ${name}, the build is ${ARCH}")
    endif()
  endforeach()
endforeach()
