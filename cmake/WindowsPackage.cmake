# The zip for Windows players: zephlet.exe, a read-me and the licence, both
# as text files with Windows line ends. `cpack -G ZIP` in the build tree.
set(windows_readme ${CMAKE_BINARY_DIR}/package/README.txt)
set(windows_license ${CMAKE_BINARY_DIR}/package/LICENSE.txt)
function(zephlet_windows_text from to)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${from})
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()
zephlet_windows_text(${PROJECT_SOURCE_DIR}/docs/windows-readme.txt ${windows_readme})
zephlet_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${windows_license})

# Its own component, so that install rules meant for other packages stay out.
install(TARGETS zephlet RUNTIME DESTINATION . COMPONENT windows_zip)
install(FILES ${windows_readme} ${windows_license} DESTINATION . COMPONENT windows_zip)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zephlet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME zephlet-${PROJECT_VERSION}-windows-x86_64)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows_zip)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)  # unzips into a folder of its own
set(CPACK_STRIP_FILES ON)
include(CPack)
