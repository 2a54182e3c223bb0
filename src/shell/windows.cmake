# What every window of the program shares: the message box, the centring on the screen and the showing of
# a window that exists at most once.
add_library(veltrane_window_helpers STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/MessageBox.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/MessageBox.h
    ${CMAKE_CURRENT_SOURCE_DIR}/Centring.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/Centring.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ShowSingle.h)
target_include_directories(veltrane_window_helpers PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(veltrane_window_helpers PUBLIC Qt6::Widgets)

# The main window, start-up and the program itself. The window joins the pieces made elsewhere: the
# conversion run, the reader process, the settings store and the Help and About windows.
add_library(veltrane_windows STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/frmMain.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmMain.h
    ${CMAKE_CURRENT_SOURCE_DIR}/frmMainDesktop.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmMainScriptBox.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ControlPlacement.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ControlPlacement.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ExportVbaCode.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/AssessmentReport.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/AssessmentReport.h
    ${CMAKE_CURRENT_SOURCE_DIR}/MigrateDialog.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/MigrateDialog.h
    ${CMAKE_CURRENT_SOURCE_DIR}/SyncReportTable.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/SyncReportTable.h
    ${CMAKE_CURRENT_SOURCE_DIR}/RunInputGuard.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/RunInputGuard.h
    ${CMAKE_CURRENT_SOURCE_DIR}/PasswordPrompt.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PasswordPrompt.h
    ${CMAKE_CURRENT_SOURCE_DIR}/SaveWithData.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/SaveWithData.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ScriptFile.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ScriptFile.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.h
    ${CMAKE_CURRENT_SOURCE_DIR}/Startup.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/Startup.h
    ${CMAKE_CURRENT_SOURCE_DIR}/WorkerWindow.h)
target_include_directories(veltrane_windows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(veltrane_windows PUBLIC
    Qt6::Widgets veltrane_script veltrane_migrate veltrane_schema veltrane_settings veltrane_window_helpers
    veltrane_help veltrane_assess veltrane_database_files)
target_compile_definitions(veltrane_windows PRIVATE VELTRANE_VERSION="${PROJECT_VERSION}")

add_executable(veltrane ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(veltrane PRIVATE veltrane_windows)
install(TARGETS veltrane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
