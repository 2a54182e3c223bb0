veltrane_add_test(TestCliArguments SOURCES TestCliArguments.cpp LIBS veltrane_cli_lib)
veltrane_add_test(TestCliWindow SOURCES TestCliWindow.cpp LIBS veltrane_cli_lib)
veltrane_add_test(TestBatchNames SOURCES TestBatchNames.cpp LIBS veltrane_cli_lib)
veltrane_add_test(TestHugePages SOURCES TestHugePages.cpp LIBS veltrane_cli_lib)
veltrane_add_test(TestCliEndToEnd SOURCES TestCliEndToEnd.cpp LIBS veltrane_cli_lib veltrane_schema mkmdb_lib)
target_compile_definitions(TestCliEndToEnd PRIVATE VELTRANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(TestCliEndToEnd veltrane-cli)
veltrane_add_test(TestEncryptedDatabases SOURCES TestEncryptedDatabases.cpp LIBS veltrane_protocol)
add_dependencies(TestEncryptedDatabases veltrane-cli)
# Office encryptions no fixture uses (Standard AES, agile with other key sizes, hashes and salts): the test
# encrypts copies of fixtures itself, with OpenSSL.
find_package(OpenSSL 3 REQUIRED COMPONENTS Crypto)
veltrane_add_test(TestEncryptedCopies SOURCES TestEncryptedCopies.cpp EncryptedCopy.cpp LIBS OpenSSL::Crypto)
add_dependencies(TestEncryptedCopies veltrane-cli)
