# The three packages of a release, made by `cmake --workflow --preset package`.
#
# A workflow has one configure preset, yet the packages want three builds of
# the programs. This build makes two of them from one compile:
#   - the portable folder's programs, linked statically (LORVENNA_STATIC), as
#     every build makes them;
#   - a second link of scenario-tool against the system's libraries, as a
#     build with LORVENNA_STATIC off would make it, for the Debian package
#     (`system/scenario-tool`, installed by the `tool` component).
# The third, the Windows executables, is the windows preset's own build
# (build-windows/), configured and built here by target windows_release
# where MinGW-w64 is installed, so that the zip holds exactly what that
# preset builds and checks; a CI run that built it already rebuilds nothing.
# CPack then takes each package's files from its own build and component
# (packaging/cpack_generator.cmake.in).
if(WIN32 OR CMAKE_CROSSCOMPILING)
  message(FATAL_ERROR "The packages are made by a Linux build (the package preset)")
endif()

add_executable(scenario-tool-system tools/scenario_tool_main.cpp)
target_link_libraries(scenario-tool-system PRIVATE lorvenna_tools)
set_target_properties(scenario-tool-system PROPERTIES
  OUTPUT_NAME scenario-tool RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/system)
# Its relocations are resolved at start and then made read-only, as Debian's
# own packages are linked.
target_link_options(scenario-tool-system PRIVATE -Wl,-z,relro,-z,now)

set(release_generators DEB TGZ)

find_program(LORVENNA_MINGW x86_64-w64-mingw32-g++-posix)
if(LORVENNA_MINGW)
  # The preset's binaryDir, as CMakePresets.json names it.
  set(windows_build ${CMAKE_SOURCE_DIR}/build-windows)
  # CPack installs from that build without first building all of it (its
  # tests): the two executables, built here, are all the zip holds.
  set(windows_configure ${CMAKE_COMMAND} --preset windows -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON)
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    list(APPEND windows_configure -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
  add_custom_target(windows_release ALL
    COMMAND ${windows_configure}
    COMMAND ${CMAKE_COMMAND} --build ${windows_build} --target lorvenna scenario-tool
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Cross-building the Windows executables with the windows preset"
    USES_TERMINAL VERBATIM)
  list(APPEND release_generators ZIP)
else()
  message(STATUS "MinGW-w64 not found (g++-mingw-w64-x86-64-posix): no Windows zip")
endif()

set(CPACK_GENERATOR ${release_generators})
set(CPACK_PACKAGE_NAME lorvenna)
set(CPACK_PACKAGE_VENDOR "The Lorvenna authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compiler for a train-driving simulator's scenarios")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/cpack_generator.cmake)
set(linux_archive lorvenna-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(windows_archive lorvenna-${PROJECT_VERSION}-windows-x86_64)
configure_file(packaging/cpack_generator.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)

set(CPACK_DEBIAN_PACKAGE_NAME scenario-tool)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Lorvenna authors <authors@lorvenna.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# A package whose version has no Debian revision is a native one, whose
# documentation folder holds the changelog as changelog.gz.
set(debian_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
set(changelog_sources cmake/debian_changelog.cmake)
if(EXISTS ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
  list(APPEND changelog_sources CHANGELOG.md)
endif()
add_custom_command(OUTPUT ${debian_changelog}
  COMMAND ${CMAKE_COMMAND} -DCHANGELOG=${CMAKE_SOURCE_DIR}/CHANGELOG.md
          -DVERSION=${PROJECT_VERSION} -DPACKAGE=${CPACK_DEBIAN_PACKAGE_NAME}
          "-DMAINTAINER=${CPACK_DEBIAN_PACKAGE_MAINTAINER}" -DOUTPUT=${debian_changelog}
          -P ${CMAKE_SOURCE_DIR}/cmake/debian_changelog.cmake
  DEPENDS ${changelog_sources}
  COMMENT "Making the Debian changelog from CHANGELOG.md" VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${debian_changelog})
install(FILES ${debian_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT tool)

set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "scenario-tool compiles the line and train description texts a scenario
author writes into the binary files a train-driving simulator loads, and
checks, verifies, dumps, compares and plots them. It also serves the texts
to an editor as a language server.")

include(CPack)
