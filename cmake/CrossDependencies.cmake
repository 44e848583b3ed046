# Windows programs run under Wine, in a prefix of the build's own, quietly.
if(WIN32)
    set(winePrefix ${CMAKE_BINARY_DIR}/wineprefix)
    file(WRITE ${CMAKE_BINARY_DIR}/wine-run.sh
         "#!/bin/sh\n# No .NET or HTML engine to fetch: the tests need neither; no menu builder\n# reaching the machine's own menus and file types. Wine turns\n# file names into the locale's bytes, so a machine without a locale set\n# (LANG empty: the C locale) gets the UTF-8 one every Debian has.\nexport WINEPREFIX='${winePrefix}' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' LC_ALL=C.UTF-8\nexec wine \"$@\"\n")
    file(CHMOD ${CMAKE_BINARY_DIR}/wine-run.sh PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# Cross-compiling, the header-only libraries (CLI11, nlohmann-json) come from
# the build machine's Debian packages, and GoogleTest is built from Debian's
# googletest sources with the cross compiler. Only their headers are shared:
# the build machine's other headers never reach the cross build.
set(hostHeaders ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${hostHeaders})
foreach(library CLI nlohmann)
    if(NOT EXISTS /usr/include/${library})
        message(FATAL_ERROR "/usr/include/${library} is missing: ./rivetbay test installs it")
    endif()
    file(CREATE_LINK /usr/include/${library} ${hostHeaders}/${library} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${hostHeaders})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${hostHeaders})

if(RIVETBAY_BUILD_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    set(GTest_FOUND TRUE) # googletest's own build names GTest::gtest and GTest::gtest_main
endif()
