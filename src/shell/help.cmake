# The Help and About windows. The files installed beside them (help text, desktop entry, icon, manual page)
# are in data/.

# Month and year of the program's last update, shown in the About window.
set(VELTRANE_LAST_UPDATED "December 2026")

add_library(veltrane_help STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/frmHelp.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmHelp.h
    ${CMAKE_CURRENT_SOURCE_DIR}/frmAbout.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/frmAbout.h)
target_include_directories(veltrane_help PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(veltrane_help PUBLIC veltrane_window_helpers Qt6::PrintSupport)
target_compile_definitions(veltrane_help PRIVATE
    VELTRANE_DATA_DIR_FROM_BIN="../${CMAKE_INSTALL_DATADIR}/veltrane"
    VELTRANE_INSTALLED_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/veltrane"
    VELTRANE_LAST_UPDATED="${VELTRANE_LAST_UPDATED}")
