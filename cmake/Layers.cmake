# The layers of src/ and which folders each may include from. A folder always includes from
# itself; an include of any other folder not in its row runs upward and fails the configure.
# A "<folder>/win32" row, where there is one, holds for that folder's Win32 files instead.
#
#   common       portable helpers, texts, errors and the small interfaces the core reports through
#   platform     the system behind interfaces, and their Win32 and test implementations
#   settings     the settings store and the shared settings
#   compose, sequences, charmap    the core subsystems, which do not include each other
#   ui           our user-interface layer over Win32
#   dialogs      the dialog base, the message boxes and the dialogs built on them
#   errorreport  the error entry points and the error report dialog
#   editor, update                 the sequence editor and the update checker
#   app          the program entry and the tray window, which wires everything together
set(KQ_LAYER_RULES
    "common:"
    "platform:common"
    "settings:common platform"
    "compose:common platform settings"
    "sequences:common platform settings"
    "charmap:common platform settings"
    "charmap/win32:common platform settings sequences ui dialogs errorreport"
    "ui:common platform"
    "dialogs:common platform settings compose ui"
    "errorreport:common platform settings ui dialogs"
    "editor:common platform settings sequences charmap ui dialogs errorreport"
    "update:common platform settings ui dialogs errorreport"
    "app:common platform settings compose sequences charmap ui dialogs errorreport editor update"
    "resources:common")

# The allowed folders of the row for a file's folder (relative to src), in out_var; fails when
# no row names the folder.
function(kq_layer_row folder out_var)
  string(REGEX MATCH "^[^/]+" top "${folder}")
  set(keys "${top}")
  if(folder MATCHES "^[^/]+/win32(/|$)")
    list(PREPEND keys "${top}/win32")
  endif()
  foreach(key IN LISTS keys)
    foreach(row IN LISTS KQ_LAYER_RULES)
      if(row MATCHES "^${key}:(.*)$")
        string(REPLACE " " ";" allowed "${CMAKE_MATCH_1}")
        set(${out_var} "${allowed}" PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endforeach()
  message(FATAL_ERROR "src/${folder} has no row in cmake/Layers.cmake")
endfunction()

# The line number of the first line of path that holds text.
function(kq_line_of path text out_var)
  file(READ "${path}" content)
  string(FIND "${content}" "${text}" offset)
  string(SUBSTRING "${content}" 0 ${offset} before)
  string(REGEX MATCHALL "\n" breaks "${before}")
  list(LENGTH breaks count)
  math(EXPR line "${count} + 1")
  set(${out_var} ${line} PARENT_SCOPE)
endfunction()

# Checks every source and header under root (src/) against the rules above. Generated files
# include nothing of ours and are skipped.
function(kq_check_layers root)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS "${root}/*.h" "${root}/*.cpp")
  list(FILTER files EXCLUDE REGEX "/generated/")
  foreach(path IN LISTS files)
    file(RELATIVE_PATH relative "${root}" "${path}")
    get_filename_component(folder "${relative}" DIRECTORY)
    string(REGEX MATCH "^[^/]+" own "${folder}")
    kq_layer_row("${folder}" allowed)
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(include IN LISTS includes)
      string(REGEX MATCH "\"([^\"/]+)/" _ "${include}")
      set(target "${CMAKE_MATCH_1}")
      if(target STREQUAL own OR target IN_LIST allowed)
        continue()
      endif()
      string(STRIP "${include}" include)
      kq_line_of("${path}" "${include}" line)
      list(JOIN allowed ", " allowed_text)
      message(FATAL_ERROR
              "src/${relative}:${line}: '${include}' runs upward: src/${folder} may include "
              "only from its own folder and from: ${allowed_text} (cmake/Layers.cmake)")
    endforeach()
  endforeach()
endfunction()
