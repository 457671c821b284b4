# Build-time check that the saver imports nothing that keeps the display or
# the system awake or that makes input of its own.
#   cmake -DPROGRAM=<exe> -P CheckQuietImports.cmake
set(forbidden SetThreadExecutionState SendInput keybd_event mouse_event)
foreach(name IN LISTS forbidden)
  file(STRINGS "${PROGRAM}" found REGEX "${name}")
  if(found)
    message(FATAL_ERROR "${PROGRAM} imports ${name}")
  endif()
endforeach()
