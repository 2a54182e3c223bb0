include(${CMAKE_CURRENT_LIST_DIR}/help.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/main.cmake)
