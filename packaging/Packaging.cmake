# What a distribution expects beside the programs: the copyright, the
# changelog, the manual pages and the AppStream metainfo; then the packages.
include(GNUInstallDirs)
if(WIN32)
    # For Windows, a .zip of the editor, the command-line tool, the About
    # pages and the licence, to unpack anywhere.
    install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME Rivetbay-LICENSE.txt)
    set(CPACK_PACKAGE_NAME Rivetbay)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_GENERATOR ZIP)
    include(CPack)
    return()
endif()
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/rivetbay)
set(generated ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${generated})

# The copyright file in Debian's machine-readable form, made from LICENSE.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^MIT License\n\n[^\n]*\n\n" "" license "${license}")
string(REGEX REPLACE "\n$" "" license "${license}")
string(REGEX REPLACE "\n\n" "\n.\n" license "${license}")
string(REGEX REPLACE "\n" "\n " license "${license}")
file(WRITE ${generated}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Rivetbay
Source: https://rivetbay.org/

Files: *
Copyright: 2026 The Rivetbay developers
License: Expat
 ${license}
")
install(FILES ${generated}/copyright DESTINATION ${docdir})

# Compressed without a name or time stamp, as Debian's tools compress.
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${generated}/changelog.Debian.gz
    COMMAND ${GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog.Debian > ${generated}/changelog.Debian.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog.Debian VERBATIM)
set(packaging_outputs ${generated}/changelog.Debian.gz)
install(FILES ${generated}/changelog.Debian.gz DESTINATION ${docdir})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME rivetbay)

# Manual pages, written for scdoc; built where scdoc is installed.
find_program(SCDOC scdoc)
if(SCDOC)
    set(pages rivetbay-cli)
    if(RIVETBAY_BUILD_UI)
        list(APPEND pages Rivetbay)
    endif()
    foreach(page IN LISTS pages)
        set(source ${CMAKE_SOURCE_DIR}/docs/man/${page}.1.scd)
        add_custom_command(OUTPUT ${generated}/${page}.1.gz
            COMMAND ${SCDOC} < ${source} > ${generated}/${page}.1
            COMMAND ${GZIP} -9nf ${generated}/${page}.1
            DEPENDS ${source} VERBATIM)
        list(APPEND packaging_outputs ${generated}/${page}.1.gz)
        install(FILES ${generated}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
else()
    message(STATUS "scdoc not found: the manual pages are not built")
endif()
add_custom_target(packaging_files ALL DEPENDS ${packaging_outputs})

if(RIVETBAY_BUILD_UI)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/org.rivetbay.Rivetbay.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_PACKAGE_NAME rivetbay)
set(CPACK_PACKAGE_VENDOR "The Rivetbay developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "car editor for the game I'76 Nitro")
set(CPACK_PACKAGE_DESCRIPTION "Rivetbay puts a car for I'76 Nitro together from the game's own catalogue:
a model, its parts, a weapon for every mount, droppers, specials and paint,
with the armor and chassis points spread over four sides and every price
shown. Designs are kept in Rivetbay car files and can be written as, and
read back from, the game's vehicle files. rivetbay-cli applies the same
rules without a window.")
set(CPACK_PACKAGE_CONTACT "Rivetbay developers <developers@rivetbay.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://rivetbay.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR "DEB;TGZ")
include(CPack)
