#pragma once
// Each index of a table with its columns in key order and their sort order, and its kind and flags as the
// engine reports them: primary key and foreign key from the logical index, unique, ignore nulls and
// required from the physical index behind it. Internal "." entries are left out.

#include "ReaderProtocol.h"
#include "TableDefinitionBytes.h"

#include <vector>

// In the order of the definition; an index whose physical index or columns the definition lacks is left out.
std::vector<readerprotocol::IndexDetail> describeIndexes(const RawTableDefinition& definition);
