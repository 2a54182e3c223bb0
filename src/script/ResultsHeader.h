#pragma once
// The ten-line results header a run puts in front of its script.

#include <QString>

QString resultsHeader(const QString& databasePath, qint64 tables, qint64 fields, qint64 indexes);
