# The Windows build's tests: GoogleTest compiled from the sources in Debian's
# googletest package with the cross compiler, and each test program run as
# one console program under Wine (CMAKE_CROSSCOMPILING_EMULATOR), in a Wine
# prefix of the build tree's own.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# GoogleTest is not held to the game's warning flags.
set_property(DIRECTORY PROPERTY COMPILE_OPTIONS "")
add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
get_property(game_options DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY COMPILE_OPTIONS)
set_property(DIRECTORY PROPERTY COMPILE_OPTIONS ${game_options})
# GCC 12 warns falsely about "literal" + std::string in optimised builds (GCC
# bug 105651); the Windows build is a Release build.
add_compile_options(-Wno-restrict)

set(wine_environment "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")

# No display, so that setting up the prefix shows nothing: windows then need
# Wine's null display driver, which draws into memory alone. One prefix for
# all: two Wine sessions making it at once trip each other.
set(wine_properties TIMEOUT 300 RESOURCE_LOCK wineprefix ENVIRONMENT_MODIFICATION "DISPLAY=unset:")
add_test(NAME wine_null_display COMMAND wine reg add "HKCU\\Software\\Wine\\Drivers" /v Graphics /d null /f)
set_tests_properties(wine_null_display PROPERTIES ${wine_properties} FIXTURES_SETUP wine_display
  ENVIRONMENT "${wine_environment}")

function(add_wine_test target)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES ${wine_properties} FIXTURES_REQUIRED wine_display
    ENVIRONMENT "${wine_environment}")
endfunction()
