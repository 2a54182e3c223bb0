# The main window and start-up, run offscreen.
veltrane_add_test(TestMainWindow GUI SOURCES gui/TestMainWindow.cpp LIBS veltrane_windows)
target_include_directories(TestMainWindow PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
veltrane_add_test(TestStartup GUI SOURCES gui/TestStartup.cpp LIBS veltrane_windows)
