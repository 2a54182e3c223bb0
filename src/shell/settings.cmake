# The settings store: the INI file wrappers, the settings file's location and the fourteen stored control
# states. Qt Core only, so it runs and is tested without a window.
if(NOT TARGET PkgConfig::SIMPLEINI)
    pkg_check_modules(SIMPLEINI REQUIRED IMPORTED_TARGET GLOBAL simpleini)
endif()

add_library(veltrane_settings STATIC
    IniFile.cpp IniFile.h
    Settings.cpp Settings.h
    SettingsControls.h)
target_include_directories(veltrane_settings PUBLIC
    ${CMAKE_CURRENT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/src/script)
target_link_libraries(veltrane_settings PUBLIC Qt6::Core PRIVATE PkgConfig::SIMPLEINI)
