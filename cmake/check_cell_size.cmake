# Fails when code of the compiler or the output reckons with the 50 m cell
# as a bare number instead of through compiler/cell.h, whose conversions keep
# the compile's arithmetic in one place. Run with -DSOURCE_DIR=<root> -P
# check_cell_size.cmake.
#
# Comments and string literals are left out: they may say "50 m". Tests are
# left out too, as they state their expectations in plain numbers.
cmake_minimum_required(VERSION 3.25)

set(faults "")
file(GLOB_RECURSE sources "${SOURCE_DIR}/compiler/*.h" "${SOURCE_DIR}/compiler/*.cpp"
                          "${SOURCE_DIR}/output/*.h" "${SOURCE_DIR}/output/*.cpp")
foreach(source IN LISTS sources)
  if(source MATCHES "(_test\\.cpp|/compiler/cell\\.h)$")
    continue()
  endif()
  file(READ "${source}" text)
  string(REGEX REPLACE "\"([^\"\\\n]|\\\\.)*\"" "\"\"" text "${text}")
  string(REGEX REPLACE "//[^\n]*" "" text "${text}")
  # One list item per line: what CMake reads as list syntax goes first.
  string(REGEX REPLACE "[][;\\]" " " text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(number 0)
  foreach(code IN LISTS lines)
    math(EXPR number "${number} + 1")
    # 50 beside an arithmetic operator, as a double, or 49 added to round up.
    if(code MATCHES "[-+*/%]=? *50([^0-9.]|$)" OR code MATCHES "(^|[^0-9.])50 *[-+*/%]"
       OR code MATCHES "(^|[^0-9.])50\\.0" OR code MATCHES "[+] *49([^0-9]|$)")
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      string(STRIP "${code}" shown)
      string(APPEND faults "  ${name}:${number}: ${shown}\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "The cell's size written as a number; use compiler/cell.h:\n${faults}")
endif()
