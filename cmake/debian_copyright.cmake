# Writes Debian's machine-readable copyright file from the MIT LICENSE:
#   cmake -DLICENSE=path -DOUTPUT=path -P debian_copyright.cmake
# The holder comes from LICENSE's "Copyright (c) ..." line, the licence text
# from what follows it, so that the package states exactly what LICENSE does.
file(STRINGS ${LICENSE} lines)
set(holder "")
set(text "")
foreach(line IN LISTS lines)
  if(holder STREQUAL "")
    if(line MATCHES "^Copyright (\\([cC]\\) )?(.+)$")
      set(holder "${CMAKE_MATCH_2}")
    endif()
  elseif(line STREQUAL "")
    # An empty line of a field's text is written as a lone full stop.
    if(NOT text STREQUAL "")
      string(APPEND text " .\n")
    endif()
  else()
    string(APPEND text " ${line}\n")
  endif()
endforeach()
if(holder STREQUAL "" OR text STREQUAL "")
  message(FATAL_ERROR "${LICENSE} has no \"Copyright (c) ...\" line followed by the licence text")
endif()
file(WRITE ${OUTPUT}
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: lorvenna\n"
  "\n"
  "Files: *\n"
  "Copyright: ${holder}\n"
  "License: MIT\n"
  "${text}")
