# What the zip for Windows players holds: zephlet.exe, a read-me and the
# licence, both as text files with Windows line ends. scripts/build-windows.sh
# installs this component and zips it.
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
