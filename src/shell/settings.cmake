# The settings store: the INI file wrappers, the settings file's location and the fourteen stored control
# states. Qt Core only, so it runs and is tested without a window.
add_library(veltrane_settings STATIC
    CheckState.h
    IniFile.cpp IniFile.h
    Settings.cpp Settings.h
    SettingsControls.h)
target_include_directories(veltrane_settings PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(veltrane_settings PUBLIC Qt6::Core PRIVATE PkgConfig::SIMPLEINI)
