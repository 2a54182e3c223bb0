#include "ResultsHeader.h"

QString resultsHeader(const QString& databasePath, qint64 tables, qint64 fields, qint64 indexes) {
    const QString CRLF = QStringLiteral("\r\n");
    const QString rule(35, QLatin1Char('-'));
    return QStringLiteral("RESULTS: ") + CRLF + rule + CRLF + QStringLiteral("Database ~ ") +
           databasePath.toUpper() + CRLF + QStringLiteral("Tables   ~ ") + QString::number(tables) + CRLF +
           QStringLiteral("Fields   ~ ") + QString::number(fields) + CRLF + QStringLiteral("Indexes  ~ ") +
           QString::number(indexes) + CRLF + CRLF + QStringLiteral("SQL SCRIPT(S) ") + CRLF + rule + CRLF +
           CRLF;
}
