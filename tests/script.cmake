veltrane_add_test(TestRemoveSpace SOURCES TestRemoveSpace.cpp LIBS veltrane_script)
veltrane_add_test(TestTableScript SOURCES TestTableScript.cpp LIBS veltrane_script)
veltrane_add_test(TestConversionRun SOURCES TestConversionRun.cpp LIBS veltrane_script)

# Real servers for the complete scripts, started by the tests themselves in temporary folders.
add_library(veltrane_test_servers STATIC
    servers/MariaDbServer.cpp servers/PostgresServer.cpp servers/ServerProcess.cpp servers/SqliteServer.cpp)
target_include_directories(veltrane_test_servers PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(veltrane_test_servers PUBLIC Qt6::Core)
veltrane_add_test(TestCompleteScript SOURCES TestCompleteScript.cpp LIBS veltrane_script)
veltrane_add_test(TestQueryTranslation SOURCES TestQueryTranslation.cpp LIBS veltrane_script)
veltrane_add_test(TestValidationRules SOURCES TestValidationRules.cpp LIBS veltrane_script)
veltrane_add_test(TestRowLiterals SOURCES TestRowLiterals.cpp LIBS veltrane_script veltrane_test_servers)
veltrane_add_test(TestDataScript SOURCES TestDataScript.cpp LIBS veltrane_cli_lib veltrane_migrate veltrane_test_servers)
veltrane_add_test(TestCompleteScriptServers SOURCES TestCompleteScriptServers.cpp
    LIBS veltrane_cli_lib veltrane_migrate veltrane_schema veltrane_test_servers mkmdb_lib)
add_dependencies(TestCompleteScriptServers veltrane-reader)
veltrane_add_test(TestDataServers SOURCES TestDataServers.cpp
    LIBS veltrane_cli_lib veltrane_migrate veltrane_schema veltrane_test_servers mkmdb_lib)
add_dependencies(TestDataServers veltrane-reader)
veltrane_add_test(TestMigrate SOURCES TestMigrate.cpp
    LIBS veltrane_cli_lib veltrane_migrate veltrane_schema veltrane_test_servers mkmdb_lib)
add_dependencies(TestMigrate veltrane-reader veltrane-cli)
veltrane_add_test(TestSync SOURCES TestSync.cpp
    LIBS veltrane_cli_lib veltrane_migrate veltrane_schema veltrane_test_servers mkmdb_lib)
add_dependencies(TestSync veltrane-reader veltrane-cli)
veltrane_add_test(TestQueryViewsServers SOURCES TestQueryViewsServers.cpp
    LIBS veltrane_cli_lib veltrane_migrate veltrane_schema veltrane_test_servers mkmdb_lib)
add_dependencies(TestQueryViewsServers veltrane-reader)
veltrane_add_test(TestQueryFunctionsServers SOURCES TestQueryFunctionsServers.cpp
    LIBS veltrane_cli_lib veltrane_migrate veltrane_schema veltrane_test_servers mkmdb_lib)
add_dependencies(TestQueryFunctionsServers veltrane-reader)
