# Tests of the schema reader: the mapping on real Access files, and the client's handling of a reader
# process that crashes, hangs or answers garbage.

add_executable(veltrane-fake-reader fakereader/FakeReader.cpp)
target_link_libraries(veltrane-fake-reader PRIVATE veltrane_protocol)
set_target_properties(veltrane-fake-reader PROPERTIES AUTOMOC OFF)

veltrane_add_test(TestSchemaReader SOURCES TestSchemaReader.cpp LIBS veltrane_schema)
veltrane_add_test(TestReaderProcess SOURCES TestReaderProcess.cpp LIBS veltrane_schema)
add_dependencies(TestReaderProcess veltrane-fake-reader)
veltrane_add_test(TestRowsProtocol SOURCES TestRowsProtocol.cpp LIBS veltrane_protocol)
veltrane_add_test(TestOneRequestReader SOURCES TestOneRequestReader.cpp LIBS veltrane_schema)
target_compile_definitions(TestOneRequestReader PRIVATE VELTRANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# The whole-schema answer; its generated database comes from the writer's test corpus.
veltrane_add_test(TestDatabaseSchema SOURCES TestDatabaseSchema.cpp LIBS veltrane_schema mkmdb_lib)

# The reader's property blob parser against libmdb's, compiled in with libmdb.
veltrane_add_test(TestColumnProperties SOURCES TestColumnProperties.cpp
                  ${PROJECT_SOURCE_DIR}/src/schema/reader/ColumnProperties.cpp LIBS PkgConfig::LIBMDB)
target_include_directories(TestColumnProperties PRIVATE ${PROJECT_SOURCE_DIR}/src/schema/reader
                           ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(TestColumnProperties PRIVATE VELTRANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# The rows of the real files against the independent reader mdb-reader (tests/node; tools/dev.sh installs it).
find_program(VELTRANE_NODE node)
if(VELTRANE_NODE AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/node/node_modules/mdb-reader")
    veltrane_add_test(TestReaderRows SOURCES TestReaderRows.cpp LIBS veltrane_schema)
    target_compile_definitions(TestReaderRows PRIVATE
        VELTRANE_NODE="${VELTRANE_NODE}"
        VELTRANE_NODE_ROWS_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/node/read-rows.mjs")
else()
    message(STATUS "node or tests/node/node_modules missing: the rows cross-check with mdb-reader is not built")
endif()

# Values from their stored bytes, compiled in: the reader process's decoder needs no libmdb.
veltrane_add_test(TestValueBytes SOURCES TestValueBytes.cpp ${PROJECT_SOURCE_DIR}/src/schema/reader/ValueBytes.cpp
                  LIBS veltrane_protocol)
target_include_directories(TestValueBytes PRIVATE ${PROJECT_SOURCE_DIR}/src/schema/reader)
veltrane_add_test(TestQueryRebuild SOURCES TestQueryRebuild.cpp LIBS veltrane_query_rebuild)

# The VBA code of the real files, read by the reader process and written as --code writes it.
veltrane_add_test(TestProjectCode SOURCES TestProjectCode.cpp LIBS veltrane_schema veltrane_script)
target_compile_definitions(TestProjectCode PRIVATE VELTRANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
veltrane_add_test(TestVbaProject SOURCES TestVbaProject.cpp LIBS veltrane_vba_project Qt6::Core)
target_compile_definitions(TestVbaProject PRIVATE VELTRANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
