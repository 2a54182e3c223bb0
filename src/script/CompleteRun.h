#pragma once
// The conversion run for the complete scripts: reads the whole schema once, writes it table by table (so the
// window's script grows visibly), the foreign keys after the last table, and the results header in front as
// SQL comments, so the whole text loads as it is.

#include "ConversionOptions.h"

class SchemaReader;
class WindowOps;
struct TargetDialect;

// false when the database could not be read (the messages have been shown).
bool runCompleteScript(const TargetDialect& dialect, const ConversionOptions& options, WindowOps& window,
                       SchemaReader& reader);
