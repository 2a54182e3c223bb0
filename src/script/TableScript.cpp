#include "TableScript.h"

#include "ColumnTypes.h"
#include "RemoveSpace.h"
#include "SchemaReader.h"
#include "WindowOps.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Where the two dialects part ways; the steps themselves are shared.
struct Dialect {
    QString announce;    // first progress caption, followed by the table name
    QString primaryKey;  // follows "CONSTRAINT PK_<table>"
    QString createIndex; // opens the index statement, followed by "IDX_<table>"
    bool cleansNames;    // field names pass through RemoveSpace
    bool writesGrants;   // a GRANT statement when permissions are on
    std::optional<ColumnText> (*columnText)(int typeCode, int attributes, const QString& size);
};

const Dialect TSql{QStringLiteral("Building SQL Script for table "),
                   QStringLiteral(" PRIMARY KEY  CLUSTERED"),
                   QStringLiteral("CREATE  INDEX IDX_"),
                   true,
                   true,
                   TSqlColumnText};
const Dialect AccessSql{QStringLiteral("Building Access SQL Script for table "),
                        QStringLiteral(" PRIMARY KEY "),
                        QStringLiteral("CREATE INDEX IDX_"),
                        false,
                        false,
                        AccessSqlColumnText};

QString nullEnding(const FieldRow& row) {
    const bool allowZeroLength = row.allowZeroLength.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    return (allowZeroLength ? QStringLiteral("NULL ,") : QStringLiteral("NOT NULL ,")) + CRLF;
}

QString constraintBlock(const Dialect& dialect, const QString& tableName, const QString& keyColumn) {
    return QStringLiteral("     CONSTRAINT PK_") + tableName + dialect.primaryKey + CRLF +
           QStringLiteral("     (") + CRLF + QStringLiteral("          ") + keyColumn + CRLF +
           QStringLiteral("     )") + CRLF + QStringLiteral(")");
}

// Closes a body that has no constraint: drops the final line break and the comma of a column line just
// before it, never anything else. A body without any line still gets its ")", so one odd table cannot
// leave the statement open for everything after it.
void closeWithoutConstraint(QString& body) {
    if (body.endsWith(CRLF)) {
        body.chop(CRLF.size());
        if (body.endsWith(QLatin1Char(',')))
            body.chop(1);
        body += CRLF;
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
        target.window.setProgress(QStringLiteral("Building SQL Script for table ") + tableName +
                                  QStringLiteral("  Field ") + row.name);
        if (dialect.cleansNames)
            row.name = RemoveSpace(row.name, target.options);

        bool isNumber = false;
        const int typeCode = row.type.toInt(&isNumber);
        if (!isNumber) {
            // The reader's row for a table whose fields could not be read.
            body.text += QStringLiteral("     -- fields could not be read") + CRLF;
            continue;
        }
        const auto column = dialect.columnText(typeCode, row.attributes.toInt(), row.size);
        if (!column)
            continue;
        body.text += QStringLiteral("     ") + row.name + column->typeText +
                     (column->nullEnding ? nullEnding(row) : CRLF);
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
    statement.text = CRLF + dialect.createIndex + tableName + QStringLiteral(" ON ") + tableName +
                     QStringLiteral(" (") + columns + QStringLiteral(")") + CRLF;
    if (target.options.CreateGo)
        statement.text += CRLF + QStringLiteral("GO") + CRLF;
    return statement;
}

QString grantStatement(const QString& tableName, const ConversionOptions& options) {
    // REFERENCES is always granted; every permission but the last is followed by " ,  ".
    QStringList permissions{QStringLiteral("REFERENCES")};
    if (options.GrantSelect)
        permissions << QStringLiteral("SELECT");
    if (options.GrantInsert)
        permissions << QStringLiteral("INSERT");
    if (options.GrantDelete)
        permissions << QStringLiteral("DELETE");
    if (options.GrantUpdate)
        permissions << QStringLiteral("UPDATE");
    QString text = CRLF + QStringLiteral("GRANT  ") + permissions.join(QStringLiteral(" ,  ")) +
                   QStringLiteral("  ON ") + tableName + QStringLiteral("  TO ") + options.UserNames + CRLF;
    if (options.CreateGo)
        text += CRLF + QStringLiteral("GO") + CRLF;
    return text;
}

int buildTableScript(const Dialect& dialect, FieldTable& fields, const QString& tableName,
                     const ScriptTarget& target) {
    const ConversionOptions& options = target.options;
    WindowOps& window = target.window;

    window.setProgress(dialect.announce + tableName);
    window.appendScript(QStringLiteral("CREATE TABLE ") + tableName + QStringLiteral(" (") + CRLF);

    Body body = columnLines(dialect, fields, tableName, target);
    if (options.CreatePrimaryKey && !body.keyColumn.isEmpty())
        body.text += constraintBlock(dialect, tableName, body.keyColumn); // the last column keeps its comma
    else
        closeWithoutConstraint(body.text);
    if (options.CreateGo)
        body.text += CRLF + CRLF + QStringLiteral("GO");
    window.appendScript(body.text + CRLF);

    IndexStatement index;
    if (options.CreateIndexes)
        index = indexStatement(dialect, tableName, target);
    window.appendScript(index.text);

    const bool grants = dialect.writesGrants && options.CreatePermissions;
    window.appendScript((grants ? grantStatement(tableName, options) : QString()) + CRLF + CRLF);
    window.repaintScript();
    return index.count;
}

} // namespace

int BuildTSqlScript(FieldTable& fields, const QString& tableName, const ScriptTarget& target) {
    return buildTableScript(TSql, fields, tableName, target);
}

int BuildAccessSqlScript(FieldTable& fields, const QString& tableName, const ScriptTarget& target) {
    return buildTableScript(AccessSql, fields, tableName, target);
}
