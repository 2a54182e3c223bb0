# Tests of the database writer (tools/mkmdb). They write every database they read at test time.
veltrane_add_test(TestMkmdbWriter SOURCES TestMkmdbWriter.cpp LIBS mkmdb_json)
target_compile_definitions(TestMkmdbWriter PRIVATE VELTRANE_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")

veltrane_add_test(TestMkmdbPages SOURCES TestMkmdbPages.cpp LIBS mkmdb_lib)
veltrane_add_test(TestMkmdbSchemaJson SOURCES TestMkmdbSchemaJson.cpp LIBS mkmdb_json)
target_compile_definitions(TestMkmdbSchemaJson PRIVATE VELTRANE_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")

# The cross-check with an independent reader, the npm package mdb-reader (tools/dev.sh installs it).
find_program(VELTRANE_NODE node)
set(VELTRANE_NODE_DIR "${CMAKE_CURRENT_SOURCE_DIR}/node")
if(VELTRANE_NODE AND EXISTS "${VELTRANE_NODE_DIR}/node_modules/mdb-reader")
    veltrane_add_test(TestMkmdbCrossCheck SOURCES TestMkmdbCrossCheck.cpp LIBS mkmdb_json)
    target_compile_definitions(TestMkmdbCrossCheck PRIVATE
        VELTRANE_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
        VELTRANE_NODE="${VELTRANE_NODE}"
        VELTRANE_NODE_SCRIPT="${VELTRANE_NODE_DIR}/read-schema.mjs"
        VELTRANE_NODE_ROWS_SCRIPT="${VELTRANE_NODE_DIR}/read-written-rows.mjs")
else()
    message(STATUS "node or tests/node/node_modules missing: the mdb-reader cross-check is not built")
endif()

# What the program's own reader makes of the generated databases.
veltrane_add_test(TestMkmdbReader SOURCES TestMkmdbReader.cpp LIBS mkmdb_json veltrane_schema)
target_compile_definitions(TestMkmdbReader PRIVATE VELTRANE_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")

# Saved queries written by mkmdb, read back through the reader process.
veltrane_add_test(TestSavedQueries SOURCES TestSavedQueries.cpp LIBS mkmdb_json veltrane_schema)
