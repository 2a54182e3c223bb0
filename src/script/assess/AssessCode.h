#pragma once
// The forms, reports, macros and VBA modules of one database for an assessment, read with the reader's Code
// request and counted as objects.txt counts them; with a folder, the code is written there as --code writes
// it (CodeExport.h).

#include "Assessment.h"

class ReaderProcess;

// A project that cannot be read, or only in part, is facts with warnings, never the end of a run.
CodeFacts assessCode(const QString& path, ReaderProcess& reader, const QString& folder);
