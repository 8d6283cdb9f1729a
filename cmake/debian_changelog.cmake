# Writes the Debian package's changelog.gz, the entry of this version made
# from CHANGELOG.md, so that the two tell the same changes:
#   cmake -DCHANGELOG=CHANGELOG.md -DVERSION=x.y.z -DPACKAGE=name
#         -DMAINTAINER="Name <address>" -DOUTPUT=changelog.gz -P debian_changelog.cmake
# CHANGELOG.md keeps a section "## [x.y.z] - YYYY-MM-DD" per release, its
# changes as "- " items; each item becomes one "  * " item of the entry. A
# version without its section (a build between releases) gets one item
# saying so, dated today.
set(items "")
set(date "")
if(EXISTS ${CHANGELOG})
  file(STRINGS ${CHANGELOG} lines)
  set(inside FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ")
      set(inside FALSE)
      string(REPLACE "." "\\." version_pattern "${VERSION}")
      if(line MATCHES "^## \\[${version_pattern}\\] - ([0-9-]+)")
        set(inside TRUE)
        set(date ${CMAKE_MATCH_1})
      endif()
    elseif(inside AND line MATCHES "^- (.*)$")
      string(APPEND items "  * ${CMAKE_MATCH_1}\n")
    elseif(inside AND NOT items STREQUAL "" AND line MATCHES "^  +([^ ].*)$")
      string(APPEND items "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
endif()
if(items STREQUAL "")
  set(items "  * Version ${VERSION}, built between releases.\n")
  set(date "")
endif()
set(date_command date -u -R)
if(NOT date STREQUAL "")
  list(APPEND date_command -d "${date} 12:00:00")
endif()
execute_process(COMMAND ${date_command} OUTPUT_VARIABLE rfc_date
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(folder ${OUTPUT} DIRECTORY)
set(text ${folder}/changelog)
file(WRITE ${text}
  "${PACKAGE} (${VERSION}) unstable; urgency=medium\n\n${items}\n -- ${MAINTAINER}  ${rfc_date}\n")
# No name or time stamp in the header: the same entry compresses to the same bytes.
execute_process(COMMAND gzip -9 -n -f ${text} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${text}.gz ${OUTPUT})
