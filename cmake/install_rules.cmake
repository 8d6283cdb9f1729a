# Two ways the programs reach a user, as two install components:
#   tool      scenario-tool installed into the system's folders, with its
#             manual page, bash completion and documents (the Debian package);
#   portable  one flat folder holding lorvenna, its window module,
#             scenario-tool and the documents (the Linux and Windows archives).
# lorvenna writes its files into its own folder, so it is never installed into
# a system folder: it is in the portable component alone, which a plain
# `cmake --install` leaves out.

# A packaging build links a scenario-tool of its own against the system's
# libraries for this component (packages.cmake).
if(TARGET scenario-tool-system)
  install(TARGETS scenario-tool-system RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
else()
  install(TARGETS scenario-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
endif()
install(FILES README.md docs/reference.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT tool)

# The manual page and the completion are made from the command table by the
# build (target scenario_tool_docs), on the systems that can run it. A manual
# page is installed compressed, without a time stamp, as Debian wants it.
if(TARGET scenario_tool_docs)
  set(manual_gz ${CMAKE_BINARY_DIR}/scenario-tool.1.gz)
  add_custom_command(OUTPUT ${manual_gz}
    COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/scenario-tool.1 > ${manual_gz}
    DEPENDS ${CMAKE_BINARY_DIR}/scenario-tool.1
    COMMENT "Compressing scenario-tool's manual page")
  add_custom_target(scenario_tool_manual_gz ALL DEPENDS ${manual_gz})
  install(FILES ${manual_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
  install(FILES ${CMAKE_BINARY_DIR}/scenario-tool.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME scenario-tool COMPONENT tool)
endif()

# The licence: LICENSE as it is, and in Debian's machine-readable form as the
# copyright file of the documentation folder, made from LICENSE so that the
# two never differ.
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
  set(debian_copyright ${CMAKE_BINARY_DIR}/packaging/copyright)
  add_custom_command(OUTPUT ${debian_copyright}
    COMMAND ${CMAKE_COMMAND} -DLICENSE=${CMAKE_CURRENT_SOURCE_DIR}/LICENSE
            -DOUTPUT=${debian_copyright}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian_copyright.cmake
    DEPENDS LICENSE cmake/debian_copyright.cmake
    COMMENT "Making the Debian copyright file from LICENSE")
  add_custom_target(debian_copyright ALL DEPENDS ${debian_copyright})
  install(FILES ${debian_copyright} LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT tool)
  install(FILES LICENSE DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
endif()

install(TARGETS lorvenna scenario-tool RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
if(TARGET lorvenna_window)
  install(TARGETS lorvenna_window LIBRARY DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
endif()
install(FILES README.md docs/reference.md DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)

# `cmake --build BUILD --target uninstall` takes back what the installs from
# this build put in place (cmake/uninstall.cmake).
if(NOT TARGET uninstall)
  add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/uninstall.cmake
    COMMENT "Removing what was installed from ${CMAKE_BINARY_DIR}"
    VERBATIM)
endif()
