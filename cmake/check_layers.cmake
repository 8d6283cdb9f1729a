# Fails when a source file includes a project header from a folder that is
# not below its own. Run with -DSOURCE_DIR=<root> -P check_layers.cmake.
#
# The layers, top to bottom:
#   driver, tools            the programs
#   compiler, output, texts  description texts in, model out; binary files; documents
#   platform                 what the program asks of its system
#   encoding                 Windows-1252; quoting for messages
# output reads the compiler's model. testing holds the tests' fakes and sits
# on platform; any test may use it.
cmake_minimum_required(VERSION 3.25)
set(allowed_platform platform encoding)
set(allowed_encoding encoding)
set(allowed_testing testing platform)
set(allowed_compiler compiler encoding platform)
set(allowed_output output compiler encoding platform)
set(allowed_texts texts encoding platform)
set(allowed_driver driver compiler output texts encoding platform)
set(allowed_tools tools driver compiler output texts encoding platform)
set(allowed_bench bench tools driver compiler output texts encoding platform testing)
set(allowed_fuzz fuzz tools driver compiler output texts encoding platform testing)

set(project_folders platform encoding testing compiler output texts driver tools bench fuzz)
set(faults "")
foreach(folder IN LISTS project_folders)
  file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    set(allowed ${allowed_${folder}})
    # Tests and the fixtures they share may use the test support.
    if(source MATCHES "(_test\\.cpp|_fixture\\.h)$")
      list(APPEND allowed testing)
    endif()
    file(STRINGS "${source}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
      if(NOT target IN_LIST project_folders)
        continue()
      endif()
      if(NOT target IN_LIST allowed)
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
        string(APPEND faults "  ${name}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that point up or across the layers:\n${faults}")
endif()
