# Installs Zephlet as a desktop game (cmake --install, DESTDIR honoured) and
# makes its Debian package with CPack (scripts/make-deb.sh). Only the game
# and its data files are installed; the tools stay in the build folder.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

include(GNUInstallDirs)

# STRING, not PATH: a PATH cache variable would turn -D...=games into a
# folder inside the build tree.
set(ZEPHLET_INSTALL_GAMESDIR "games" CACHE STRING
    "Where the game goes, relative to the prefix (Debian Policy: games)")
set(ZEPHLET_APP_ID "io.github.zephlet.zephlet")
# Placeholder until the project has a public home.
set(ZEPHLET_HOMEPAGE "https://zephlet.example.org/")
set(ZEPHLET_MAINTAINER "The Zephlet developers <developers@zephlet.example.org>")

# Whatever the umask, the package's folders are 0755.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(packaging_source ${CMAKE_CURRENT_LIST_DIR})
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
set(datadir ${CMAKE_INSTALL_DATADIR})
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/zephlet)

install(TARGETS zephlet RUNTIME DESTINATION ${ZEPHLET_INSTALL_GAMESDIR})
install(FILES ${packaging_source}/zephlet.desktop DESTINATION ${datadir}/applications)

# The window icon enlarged by whole pixels: software centres want 64 px and
# more besides the 32 px one.
set(icons)
foreach(scale 1 2 4)
  math(EXPR size "32 * ${scale}")
  set(icon ${packaging_build}/icons/${size}x${size}/zephlet.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build}/icons/${size}x${size}
    COMMAND zephlet-icon ${PROJECT_SOURCE_DIR}/resources/icon.bmp ${scale} ${icon}
    DEPENDS zephlet-icon ${PROJECT_SOURCE_DIR}/resources/icon.bmp
    VERBATIM)
  list(APPEND icons ${icon})
  install(FILES ${icon} DESTINATION ${datadir}/icons/hicolor/${size}x${size}/apps)
endforeach()

configure_file(${packaging_source}/zephlet.metainfo.xml.in
               ${packaging_build}/${ZEPHLET_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_build}/${ZEPHLET_APP_ID}.metainfo.xml DESTINATION ${datadir}/metainfo)

# Manual page and changelog compressed as Debian wants them: best
# compression, no name and no time stamp, so the bytes do not change.
configure_file(${packaging_source}/zephlet.6.in ${packaging_build}/zephlet.6 @ONLY)
set(compressed)
foreach(pair "zephlet.6|${packaging_build}/zephlet.6" "changelog|${packaging_source}/changelog")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 input)
  add_custom_command(
    OUTPUT ${packaging_build}/${name}.gz
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${input} ${packaging_build}/${name}.gz
    DEPENDS ${input}
    VERBATIM)
  list(APPEND compressed ${packaging_build}/${name}.gz)
endforeach()
add_custom_target(zephlet_install_data ALL DEPENDS ${icons} ${compressed})

install(FILES ${packaging_build}/zephlet.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging_source}/copyright ${packaging_build}/changelog.gz DESTINATION ${docdir})

# The Debian package: zephlet_<version>_amd64.deb in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zephlet)
set(CPACK_PACKAGE_VENDOR "The Zephlet developers")
set(CPACK_PACKAGE_CONTACT "${ZEPHLET_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game seen in depth as a side-by-side stereo pair")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Zephlet is a small arcade game in one window: you steer a craft through
rows of falling obstacles, seen in depth as a side-by-side stereo pair that
you fuse into one picture by looking through the screen.
The arrow keys move the craft between three lanes and three altitudes. A red
obstacle blocks only its own altitude, a blue one cannot be passed beneath
and a green one cannot be passed above. Six levels, each with its own rule,
open with a caption; a crash restarts the level.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZEPHLET_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZEPHLET_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
