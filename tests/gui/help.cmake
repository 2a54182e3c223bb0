# The Help and About windows, and installing the program's data files.
veltrane_add_test(TestHelpWindow GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestHelpWindow.cpp LIBS veltrane_help)
# The test program lives in a "bin" folder of its own, so it decides itself whether a help file lies beside
# it or in the data folder of its prefix.
set_target_properties(TestHelpWindow PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/help-window/bin)
target_compile_definitions(TestHelpWindow PRIVATE
    VELTRANE_INSTALLED_HELP="${CMAKE_INSTALL_FULL_DATADIR}/veltrane/help.txt")

veltrane_add_test(TestAboutWindow GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestAboutWindow.cpp LIBS veltrane_help)

# `cmake --install` into a scratch prefix puts every file where a desktop user expects it.
set(installed_programs
    ${CMAKE_INSTALL_BINDIR}/veltrane
    ${CMAKE_INSTALL_BINDIR}/veltrane-cli
    ${CMAKE_INSTALL_LIBEXECDIR}/veltrane/veltrane-reader)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
add_test(NAME InstallDesktopFiles COMMAND ${CMAKE_COMMAND}
    -D BUILD_DIR=${CMAKE_BINARY_DIR}
    -D PREFIX=${CMAKE_CURRENT_BINARY_DIR}/install-check
    -D SOURCE_DATA_DIR=${PROJECT_SOURCE_DIR}/data
    -D DATADIR=${CMAKE_INSTALL_DATADIR}
    -D MANDIR=${CMAKE_INSTALL_MANDIR}
    "-D PROGRAMS=${installed_programs}"
    -D DESKTOP_FILE_VALIDATE=${DESKTOP_FILE_VALIDATE}
    -P ${CMAKE_CURRENT_LIST_DIR}/InstallCheck.cmake)
set_tests_properties(InstallDesktopFiles PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:")
