# Removes what an install put in place: every file its manifests list
# (install_manifest*.txt in BINARY_DIR, one per `cmake --install` run, with
# or without a component), then each folder those files leave empty, up to
# the folder that holds all of them, which is left where it is. A file
# already gone is told and passed over; a folder that still holds anything,
# the user's own files among them, stays.
#
#   cmake -DBINARY_DIR=build -P cmake/uninstall.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT BINARY_DIR)
  message(FATAL_ERROR "uninstall: BINARY_DIR names the build folder whose install is removed")
endif()
file(GLOB manifests "${BINARY_DIR}/install_manifest*.txt")
if(NOT manifests)
  message(FATAL_ERROR "uninstall: nothing was installed from ${BINARY_DIR} (no install_manifest.txt)")
endif()

# Whether `path` lies strictly inside the folder `root`: compared as text,
# since a path may hold any character a pattern would read otherwise.
function(inside result path root)
  string(FIND "${path}" "${root}/" at)
  if(at EQUAL 0)
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

set(files "")
foreach(manifest IN LISTS manifests)
  file(STRINGS "${manifest}" listed)
  list(APPEND files ${listed})
endforeach()
list(REMOVE_DUPLICATES files)

# The folder that holds every file: nothing at or above it is removed.
set(root "")
foreach(f IN LISTS files)
  get_filename_component(folder "${f}" DIRECTORY)
  if(root STREQUAL "")
    set(root "${folder}")
  endif()
  while(TRUE)
    inside(below "${folder}" "${root}")
    if(folder STREQUAL root OR below)
      break()
    endif()
    get_filename_component(up "${root}" DIRECTORY)
    if(up STREQUAL root)
      break()
    endif()
    set(root "${up}")
  endwhile()
endforeach()

set(failed "")
foreach(f IN LISTS files)
  if(IS_SYMLINK "${f}" OR EXISTS "${f}")
    message(STATUS "Removing ${f}")
    file(REMOVE "${f}")
    if(IS_SYMLINK "${f}" OR EXISTS "${f}")
      list(APPEND failed "${f}")
    endif()
  else()
    message(STATUS "Already gone: ${f}")
  endif()
endforeach()

foreach(f IN LISTS files)
  get_filename_component(folder "${f}" DIRECTORY)
  while(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
    inside(below "${folder}" "${root}")
    if(NOT below)
      break()
    endif()
    file(GLOB left LIST_DIRECTORIES true "${folder}/*")
    if(left)
      break()
    endif()
    message(STATUS "Removing the empty folder ${folder}")
    file(REMOVE_RECURSE "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()

if(failed)
  message(FATAL_ERROR "uninstall: could not remove ${failed}")
endif()
