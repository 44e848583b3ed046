# Installs the build into a fresh prefix and checks that every file is there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
    bin/Rivetbay
    bin/rivetbay-cli
    share/rivetbay/Rivetbay.html
    share/rivetbay/Rivetbay-guide.html
    share/applications/org.rivetbay.Rivetbay.desktop
    share/applications/org.rivetbay.Rivetbay.Export.desktop
    share/mime/packages/org.rivetbay.Rivetbay.xml
    share/icons/hicolor/16x16/apps/org.rivetbay.Rivetbay.png
    share/icons/hicolor/32x32/apps/org.rivetbay.Rivetbay.png
    share/icons/hicolor/48x48/apps/org.rivetbay.Rivetbay.png
    share/icons/hicolor/256x256/apps/org.rivetbay.Rivetbay.png
    share/icons/hicolor/scalable/apps/org.rivetbay.Rivetbay.svg)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endforeach()
# Both start in the settings the menu's entry keeps, whatever folder a file
# manager starts them in.
file(READ "${PREFIX}/share/applications/org.rivetbay.Rivetbay.desktop" desktop)
if(NOT desktop MATCHES "Exec=Rivetbay --settings-at-home %f" OR NOT desktop MATCHES "application/x-rivetbay-car")
    message(FATAL_ERROR "the desktop entry does not open car files")
endif()
file(READ "${PREFIX}/share/applications/org.rivetbay.Rivetbay.Export.desktop" export)
if(NOT export MATCHES "Exec=Rivetbay --settings-at-home --export %f" OR NOT export MATCHES "application/x-rivetbay-car")
    message(FATAL_ERROR "the export entry does not export car files")
endif()
# An action on car files in "Open with", never a program of its own in the menus.
if(NOT export MATCHES "\nNoDisplay=true\n")
    message(FATAL_ERROR "the export entry shows in the application menus")
endif()
execute_process(COMMAND "${PREFIX}/bin/rivetbay-cli" --help RESULT_VARIABLE help OUTPUT_QUIET)
if(NOT help EQUAL 0)
    message(FATAL_ERROR "the installed rivetbay-cli does not run")
endif()
file(REMOVE_RECURSE "${PREFIX}")
