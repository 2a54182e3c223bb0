#pragma once
// Page 0 of a Jet 4 database: format signature, code page, sort order, creation date and the
// (empty) database password, hidden behind the fixed RC4 key as Access writes it.

#include "JetTableDef.h"

namespace jet {

// `created` is the creation date as an OLE date (days since 1899-12-30).
Page headerPage(double created);

} // namespace jet
