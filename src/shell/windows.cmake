# The main window, start-up and the program itself. The window joins the pieces made elsewhere: the
# conversion run, the reader process, the settings store and the Help and About windows.
set(VELTRANE_WINDOW_PARTS veltrane_script veltrane_schema veltrane_settings veltrane_help)
set(VELTRANE_MISSING_PARTS "")
foreach(part IN LISTS VELTRANE_WINDOW_PARTS)
    if(NOT TARGET ${part})
        list(APPEND VELTRANE_MISSING_PARTS ${part})
    endif()
endforeach()

if(VELTRANE_MISSING_PARTS)
    message(STATUS "veltrane: the main window waits for ${VELTRANE_MISSING_PARTS}")
else()
    add_library(veltrane_windows STATIC
        ${CMAKE_CURRENT_SOURCE_DIR}/frmMain.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/frmMain.h
        ${CMAKE_CURRENT_SOURCE_DIR}/frmMainDesktop.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/RunInputGuard.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/RunInputGuard.h
        ${CMAKE_CURRENT_SOURCE_DIR}/ScriptFile.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ScriptFile.h
        ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.h
        ${CMAKE_CURRENT_SOURCE_DIR}/Startup.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/Startup.h)
    target_include_directories(veltrane_windows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(veltrane_windows PUBLIC Qt6::Widgets ${VELTRANE_WINDOW_PARTS})
    target_compile_definitions(veltrane_windows PRIVATE VELTRANE_VERSION="${PROJECT_VERSION}")

    add_executable(veltrane ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    target_link_libraries(veltrane PRIVATE veltrane_windows)
    install(TARGETS veltrane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
