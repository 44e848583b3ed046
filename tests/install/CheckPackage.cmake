# Builds the Debian package and checks it as a distribution would: lintian
# with no error and no warning, and the desktop entry and AppStream
# metainfo it installs through their validators.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
    endif()
    message(STATUS "${what}: ${out}")
endfunction()

foreach(tool lintian desktop-file-validate appstreamcli dpkg-deb)
    find_program(found_${tool} ${tool})
    if(NOT found_${tool})
        message(FATAL_ERROR "${tool} is not installed; ./rivetbay test installs it")
    endif()
endforeach()

run("cpack" "${CPACK}" -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}")
file(GLOB deb "${WORK}/rivetbay_*.deb")
if(NOT deb)
    message(FATAL_ERROR "cpack made no .deb")
endif()
run("lintian" "${found_lintian}" --fail-on error,warning "${deb}")

run("unpack" "${found_dpkg-deb}" -x "${deb}" "${WORK}/root")
set(share "${WORK}/root/usr/share")
run("desktop-file-validate" "${found_desktop-file-validate}"
    "${share}/applications/org.rivetbay.Rivetbay.desktop"
    "${share}/applications/org.rivetbay.Rivetbay.Export.desktop")
run("appstreamcli" "${found_appstreamcli}" validate --no-net
    "${share}/metainfo/org.rivetbay.Rivetbay.metainfo.xml")
foreach(path bin/Rivetbay bin/rivetbay-cli share/man/man1/Rivetbay.1.gz
             share/man/man1/rivetbay-cli.1.gz share/doc/rivetbay/copyright
             share/doc/rivetbay/changelog.Debian.gz)
    if(NOT EXISTS "${WORK}/root/usr/${path}")
        message(FATAL_ERROR "the package lacks /usr/${path}")
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
