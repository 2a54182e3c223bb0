#pragma once
// The rest of an Access application beside its tables and queries: the forms, reports, macros, modules and
// data access pages the catalog (MSysObjects) names, and the source of its VBA project (VbaProject.h),
// found from the catalog. Access 2000-2003 keep the project as a compound file split across the rows of
// MSysAccessObjects (Data, in ID order); Access 2007 and later keep a tree of storages and streams in
// MSysAccessStorage (Id, ParentId, Name, Type 1 storage or 2 stream, the stream's bytes in Lv), the project
// under ROOT/VBA/VBAProject. Access 97 keeps the project's streams and each module's in the rows of
// MSysModules2 (Access97Project.h). Nothing of the project is run or compiled. Opens the file read-only,
// reads and closes it.

#include "CodeProtocol.h"

#include <string>

struct Credentials;

// Failures as for the table list (3024, 3051, 3343, 3049, 3031). A project that is damaged, locked or not
// there gives warnings and whatever of it could be read.
readerprotocol::CodeAnswer readApplicationCode(const std::string& path, Credentials& credentials);
