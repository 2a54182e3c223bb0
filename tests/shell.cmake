# Tests of the settings store: the INI wrappers, and the fourteen control states through a real file.
veltrane_add_test(TestIniFile SOURCES TestIniFile.cpp LIBS veltrane_settings)
veltrane_add_test(TestSettings SOURCES TestSettings.cpp LIBS veltrane_settings)
