#pragma once
// "Save Script with Data As...": the complete script with every row written to a file by a worker thread
// (with a reader process of its own), while a progress dialog shows the table, its rows and how far the
// tables have come. Cancel stops the work at once and leaves no file; a finished save replaces the target
// in one step.

#include "ConversionOptions.h"

#include <QStringList>
#include <string>

class QWidget;
class SchemaReader;
struct TargetDialect;

// The messages to show afterwards: why the file was not written, the tables whose rows could not all be
// read, the values the server cannot hold. Empty after a clean save or a cancel. A given reader (tests) is
// used from the worker thread instead of a reader process; password opens an encrypted database.
QStringList SaveScriptWithData(QWidget* parent, const TargetDialect& dialect,
                               const ConversionOptions& options, const QString& target,
                               SchemaReader* givenReader, const std::string& password = {});
