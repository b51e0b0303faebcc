# Each subsystem folder lists its sources with one of these, so the build knows which
# files are portable (no <windows.h>, built and tested natively) and which are Win32.
function(kq_portable_sources)
  foreach(src IN LISTS ARGN)
    set(path ${CMAKE_CURRENT_SOURCE_DIR}/${src})
    file(STRINGS ${path} hits REGEX "#[ \t]*include[ \t]*[<\"](windows|winuser|winreg|shlobj)\\.h")
    if(hits)
      message(FATAL_ERROR "${path} is listed as portable but includes a Windows header")
    endif()
    set_property(GLOBAL APPEND PROPERTY KQ_PORTABLE_SOURCES ${path})
  endforeach()
endfunction()

function(kq_win32_sources)
  foreach(src IN LISTS ARGN)
    set_property(GLOBAL APPEND PROPERTY KQ_WIN32_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${src})
  endforeach()
endfunction()
