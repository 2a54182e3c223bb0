# `cpack -G DEB` (or the target `deb`) in the build folder makes veltrane_<version>_amd64.deb from what
# `cmake --install` installs: the programs, the reader process, help, desktop entry, icon, MIME package,
# manual pages and AppStream metadata. Dependencies are computed from the binaries by dpkg-shlibdeps.
set(VELTRANE_PACKAGE_MAINTAINER "The Veltrane developers <veltrane@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VELTRANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line is the synopsis; CPack indents the others as the control file wants, an empty line
# separating paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "write the tables of an Access database as a SQL script
Veltrane reads the design of a Microsoft Access database (an .mdb or .accdb
file) and writes it as a SQL script in the Access SQL or the T-SQL dialect:
CREATE TABLE statements with column types and primary keys, CREATE INDEX and
GRANT statements, and GO separators on request. The database is only read.

This package holds the desktop program veltrane and the command-line front
end veltrane-cli. Both read databases through libmdb in a separate reader
process, so a damaged file cannot crash or hang them.")
include(CPack)

add_custom_target(deb
    COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Building veltrane_${PROJECT_VERSION}_amd64.deb"
    USES_TERMINAL)
