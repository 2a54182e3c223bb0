#pragma once
// The conversion run for the complete scripts: reads the whole schema once, writes it table by table (so the
// window's script grows visibly), the foreign keys after the last table, and the results header in front as
// SQL comments, so the whole text loads as it is.

#include "ConversionOptions.h"
#include "ConversionRun.h"

class SchemaReader;
class WindowOps;
struct TargetDialect;

// Ends as cmdGenSQL_Click does: the database unreadable, or the script written with the tables that could
// not be read named in one message.
RunOutcome runCompleteScript(const TargetDialect& dialect, const ConversionOptions& options,
                             WindowOps& window, SchemaReader& reader);
