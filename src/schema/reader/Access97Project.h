#pragma once
// The VBA project of an Access 97 database, kept in the rows of the system table MSysModules2 rather than in
// a compound file. Each row's Module value holds named streams: 8 bytes of header, then for each stream a
// byte giving the size of its name, the name in UTF-16LE ending in a NUL, a 4-byte length and that many
// bytes. The row named MSysDb holds the project's own streams (_VBA_PROJECT, dir, __SRP_n); the row of each
// module, named as the module, holds its _VBA_MODULE stream (and __SRP_n). The dir stream is the one of
// later versions ([MS-OVBA] 2.3.4.2): it names every module and its stream, and says where in that stream
// the compressed source starts. Which modules are the ones behind forms and reports the row's Type says.
// Plain C++ over VbaProject.h, without libmdb, so that tests and the fuzz target can feed it bytes.

#include "VbaProject.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One row of MSysModules2.
struct Access97ModuleRow {
    std::string name; // UTF-8
    std::int32_t type = 0;
    std::string value; // the Module column's bytes, empty when it is null
};

struct ModuleValueStreams {
    std::vector<std::pair<std::string, std::string>> streams; // name (UTF-8), bytes, in stored order
    bool complete = false; // every stream whole to the value's end; a stream cut short by damage is kept
                           // with what there is of it
};

// The streams of a row's Module value.
ModuleValueStreams streamsOfModuleValue(std::string_view value);

// The modules of the project the rows hold, in the order of its dir stream.
VbaProjectRead readAccess97Project(const std::vector<Access97ModuleRow>& rows);
