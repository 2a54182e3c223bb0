# The Debian package: built with cpack from the finished build, installed into a temporary root and checked.
find_program(VELTRANE_BASH bash)
if(VELTRANE_BASH AND TARGET veltrane AND TARGET veltrane-cli)
    add_test(NAME DebianPackage
        COMMAND ${VELTRANE_BASH} ${CMAKE_CURRENT_LIST_DIR}/package-check.sh
                ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION})
    set_tests_properties(DebianPackage PROPERTIES
        SKIP_REGULAR_EXPRESSION "SKIPPED:"
        TIMEOUT 900
        # cpack installs the whole build, which the install check also does into a folder of its own.
        RUN_SERIAL TRUE)
endif()
