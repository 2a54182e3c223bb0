#include "TableScript.h"

#include "ColumnTypes.h"
#include "RemoveSpace.h"
#include "SchemaReader.h"
#include "WindowOps.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

// Where the two dialects part ways; the steps themselves are shared.
struct Dialect {
    QString announce;    // first progress caption, followed by the table name
    QString primaryKey;  // follows "CONSTRAINT PK_<table>"
    QString createIndex; // opens the index statement, followed by "IDX_<table>"
    bool cleansNames;    // field names pass through RemoveSpace
    bool writesGrants;   // a GRANT statement when permissions are on
    std::optional<ColumnText> (*columnText)(int typeCode, int attributes, const QString& size);
};

const Dialect tSqlDialect{.announce = QStringLiteral("Building SQL Script for table "),
                          .primaryKey = QStringLiteral(" PRIMARY KEY  CLUSTERED"),
                          .createIndex = QStringLiteral("CREATE  INDEX IDX_"),
                          .cleansNames = true,
                          .writesGrants = true,
                          .columnText = TSqlColumnText};
const Dialect accessSqlDialect{.announce = QStringLiteral("Building Access SQL Script for table "),
                               .primaryKey = QStringLiteral(" PRIMARY KEY "),
                               .createIndex = QStringLiteral("CREATE INDEX IDX_"),
                               .cleansNames = false,
                               .writesGrants = false,
                               .columnText = AccessSqlColumnText};

QString nullEnding(const FieldRow& row) {
    const bool allowZeroLength = row.allowZeroLength.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    return allowZeroLength ? QStringLiteral("NULL ,\r\n") : QStringLiteral("NOT NULL ,\r\n");
}

QString constraintBlock(const Dialect& dialect, const QString& tableName, const QString& keyColumn) {
    return QStringLiteral("     CONSTRAINT PK_") + tableName + dialect.primaryKey + crlf +
           QStringLiteral("     (") + crlf + QStringLiteral("          ") + keyColumn + crlf +
           QStringLiteral("     )") + crlf + QStringLiteral(")");
}

// Closes a body that has no constraint: drops the final line break and the comma of a column line just
// before it, never anything else. A body without any line still gets its ")", so one odd table cannot
// leave the statement open for everything after it.
void closeWithoutConstraint(QString& body) {
    if (body.endsWith(crlf)) {
        body.chop(crlf.size());
        if (body.endsWith(QLatin1Char(',')))
            body.chop(1);
        body += crlf;
    }
    body += QStringLiteral(")");
}

struct Body {
    QString text;
    QString keyColumn;
};

Body columnLines(const Dialect& dialect, FieldTable& fields, const QString& tableName,
                 const ScriptTarget& target) {
    Body body;
    for (int r = 1; r <= fields.upperBound(); ++r) {
        FieldRow& row = fields.row(r);
        if (target.window.showsProgress())
            target.window.setProgress(QStringLiteral("Building SQL Script for table ") + tableName +
                                      QStringLiteral("  Field ") + row.name);
        if (dialect.cleansNames)
            row.name = RemoveSpace(row.name, target.options);

        bool isNumber = false;
        const int typeCode = row.type.toInt(&isNumber);
        if (!isNumber) {
            // The reader's row for a table whose fields could not be read.
            body.text += QStringLiteral("     -- fields could not be read") + crlf;
            continue;
        }
        const auto column = dialect.columnText(typeCode, row.attributes.toInt(), row.size);
        if (!column)
            continue;
        // Appended piece by piece into the one body, without a temporary for the whole line.
        body.text += QLatin1String("     ");
        body.text += row.name;
        body.text += column->typeText;
        body.text += column->nullEnding ? nullEnding(row) : crlf;
        if (column->autoIncrement)
            body.keyColumn = row.name;
    }
    return body;
}

struct IndexStatement {
    QString text;
    int count = 0;
};

IndexStatement indexStatement(const Dialect& dialect, const QString& tableName, const ScriptTarget& target) {
    IndexStatement statement;
    const IndexList indexes = target.reader.GetTableIndexes(target.options.DatabasePath, tableName);
    const TextList* names = std::get_if<TextList>(&indexes);
    // One entry (whatever its name, the reader's "NONE" failure entry included) makes no statement.
    if (names == nullptr || names->upperBound() < 2)
        return statement;

    QString columns;
    for (int j = 1; j <= names->upperBound(); ++j) {
        if (names->at(j) == QLatin1String("PrimaryKey"))
            continue;
        if (statement.count > 0)
            columns += QStringLiteral(", ");
        columns += names->at(j);
        ++statement.count;
    }
    statement.text = crlf + dialect.createIndex + tableName + QStringLiteral(" ON ") + tableName +
                     QStringLiteral(" (") + columns + QStringLiteral(")") + crlf;
    if (target.options.CreateGo)
        statement.text += crlf + QStringLiteral("GO") + crlf;
    return statement;
}

QString grantStatement(const QString& tableName, const ConversionOptions& options) {
    // REFERENCES is always granted; every permission but the last is followed by " ,  ".
    const QStringList permissions = grantedPermissions(options);
    QString text = crlf + QStringLiteral("GRANT  ") + permissions.join(QStringLiteral(" ,  ")) +
                   QStringLiteral("  ON ") + tableName + QStringLiteral("  TO ") + options.UserNames + crlf;
    if (options.CreateGo)
        text += crlf + QStringLiteral("GO") + crlf;
    return text;
}

int buildTableScript(const Dialect& dialect, FieldTable& fields, const QString& tableName,
                     const ScriptTarget& target) {
    const ConversionOptions& options = target.options;
    WindowOps& window = target.window;

    window.setProgress(dialect.announce + tableName);
    window.appendScript(QStringLiteral("CREATE TABLE ") + tableName + QStringLiteral(" (") + crlf);

    Body body = columnLines(dialect, fields, tableName, target);
    if (options.CreatePrimaryKey && !body.keyColumn.isEmpty())
        body.text += constraintBlock(dialect, tableName, body.keyColumn); // the last column keeps its comma
    else
        closeWithoutConstraint(body.text);
    if (options.CreateGo)
        body.text += crlf + crlf + QStringLiteral("GO");
    window.appendScript(body.text + crlf);

    IndexStatement index;
    if (options.CreateIndexes)
        index = indexStatement(dialect, tableName, target);
    window.appendScript(index.text);

    const bool grants = dialect.writesGrants && options.CreatePermissions;
    window.appendScript((grants ? grantStatement(tableName, options) : QString()) + crlf + crlf);
    window.repaintScript();
    return index.count;
}

} // namespace

int BuildTSqlScript(FieldTable& fields, const QString& tableName, const ScriptTarget& target) {
    return buildTableScript(tSqlDialect, fields, tableName, target);
}

int BuildAccessSqlScript(FieldTable& fields, const QString& tableName, const ScriptTarget& target) {
    return buildTableScript(accessSqlDialect, fields, tableName, target);
}
