# Holds the map of the code to the tree. Fails when a path written in
# backticks in a table of the README's glossary, of docs/architecture.md or
# of CONTRIBUTING.md names nothing in the tree (a file moved or renamed
# leaves its map behind), when docs/architecture.md's table of folders leaves
# out a folder of the tree, or when that table's "Includes from" column is
# not the arrows of cmake/layers.cmake.
#
# A path is a word in backticks that starts with a folder's lower-case name
# and a "/", or ends in a source file's extension; one that ends in "/"
# names a folder, and one with a "*" must match at least one file.
#   cmake -DSOURCE_DIR=<root> -P check_doc_paths.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)

# The lines of a table in `text`, made safe as list elements: CMake splits a
# list at ";" and keeps together what stands between "[" and "]".
function(table_rows text out)
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "[" "(" text "${text}")
  string(REPLACE "]" ")" text "${text}")
  string(REGEX MATCHALL "\n\\|[^\n]*" rows "${text}")
  set(${out} "${rows}" PARENT_SCOPE)
endfunction()

# The words in backticks of `text`, without them.
function(quoted_words text out)
  string(REGEX MATCHALL "`[^`\n]+`" words "${text}")
  list(TRANSFORM words REPLACE "^`(.*)`$" "\\1")
  set(${out} "${words}" PARENT_SCOPE)
endfunction()

set(faults "")

# Every path of `rows` (from `document`) is in the tree; at least one is
# there to check, so that a table renamed away fails instead of passing.
function(check_paths document rows)
  set(checked 0)
  foreach(row IN LISTS rows)
    quoted_words("${row}" words)
    foreach(word IN LISTS words)
      if(NOT word MATCHES "^[A-Za-z0-9_.*/-]+$")
        continue()
      endif()
      # A protocol's method (`textDocument/hover`) is no path: a folder's
      # name is in lower case.
      if(word MATCHES "/" AND NOT word MATCHES "^\\.?[a-z0-9_-]+/")
        continue()
      endif()
      if(NOT word MATCHES "/" AND
         NOT word MATCHES "\\.(h|cpp|cmake|md|json|txt|sh|tsv|py|js|lua|el|in)$")
        continue()
      endif()
      math(EXPR checked "${checked} + 1")
      if(word MATCHES "\\*")
        file(GLOB matches "${SOURCE_DIR}/${word}")
        set(found "${matches}")
      elseif(word MATCHES "/$")
        set(found "")
        if(IS_DIRECTORY "${SOURCE_DIR}/${word}")
          set(found 1)
        endif()
      else()
        set(found "")
        if(EXISTS "${SOURCE_DIR}/${word}")
          set(found 1)
        endif()
      endif()
      if(NOT found)
        string(APPEND faults "  ${document}: `${word}` is not in the tree\n")
      endif()
    endforeach()
  endforeach()
  if(checked EQUAL 0)
    string(APPEND faults "  ${document}: no table with a path found\n")
  endif()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

# The README's glossary: from its heading to the next heading.
file(READ "${SOURCE_DIR}/README.md" readme)
string(FIND "${readme}" "\n### Glossary\n" start)
if(start EQUAL -1)
  string(APPEND faults "  README.md: no \"### Glossary\" section\n")
else()
  string(SUBSTRING "${readme}" ${start} -1 glossary)
  string(SUBSTRING "${glossary}" 1 -1 after_heading)
  string(FIND "${after_heading}" "\n#" end)
  if(NOT end EQUAL -1)
    string(SUBSTRING "${glossary}" 0 ${end} glossary)
  endif()
  table_rows("${glossary}" rows)
  check_paths("README.md (Glossary)" "${rows}")
endif()

foreach(document docs/architecture.md CONTRIBUTING.md)
  if(NOT EXISTS "${SOURCE_DIR}/${document}")
    string(APPEND faults "  ${document} is missing\n")
    continue()
  endif()
  file(READ "${SOURCE_DIR}/${document}" text)
  table_rows("${text}" rows)
  check_paths("${document}" "${rows}")
  if(document STREQUAL "docs/architecture.md")
    set(architecture_rows "${rows}")
  endif()
endforeach()

# The table of folders: a row for each folder of the tree (the build trees
# aside), and for a layer the arrows of the layer table, no more, no fewer.
set(mapped "")
foreach(row IN LISTS architecture_rows)
  if(NOT row MATCHES "^\n\\| `([a-z_.]+)/` \\|[^|]*\\|([^|]*)\\|")
    continue()
  endif()
  set(folder "${CMAKE_MATCH_1}")
  set(includes "${CMAKE_MATCH_2}")
  list(APPEND mapped "${folder}")
  if(NOT folder IN_LIST layers)
    continue()
  endif()
  quoted_words("${includes}" written)
  list(TRANSFORM written REPLACE "/$" "")
  set(arrows ${layer_${folder}})
  list(SORT written)
  list(SORT arrows)
  if(NOT "${written}" STREQUAL "${arrows}")
    string(APPEND faults "  docs/architecture.md: ${folder}/ includes from \"${written}\"; "
                         "cmake/layers.cmake says \"${arrows}\"\n")
  endif()
endforeach()
file(GLOB entries LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${SOURCE_DIR}/${entry}" AND NOT entry MATCHES "^(build|\\.git$)"
     AND NOT entry IN_LIST mapped)
    string(APPEND faults "  docs/architecture.md: no row for the folder ${entry}/\n")
  endif()
endforeach()
foreach(layer IN LISTS layers)
  if(NOT layer IN_LIST mapped)
    string(APPEND faults "  docs/architecture.md: no row for the layer ${layer}/\n")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "The map of the code and the tree disagree:\n${faults}")
endif()
