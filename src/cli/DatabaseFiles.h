#pragma once
// The databases a run is given: files as they are, and in folders (and their folders) every file whose name
// ends .mdb or .accdb in any case, each folder's in name order.

#include <QStringList>

// The databases in the order of the paths; the paths that do not exist go to notFound.
QStringList databaseFiles(const QStringList& paths, QStringList& notFound);
