include(${CMAKE_CURRENT_LIST_DIR}/help.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/main.cmake OPTIONAL)
