// MySQL and MariaDB: backquoted names of up to 64 characters, none outside the Basic Multilingual Plane;
// InnoDB tables in utf8mb4; AUTO_INCREMENT, which needs a key that starts with the column inside CREATE
// TABLE; UUID() as an expression default; backslash escapes in strings; a long value in a key only by a
// prefix, and never in a foreign key. InnoDB refuses a row that could be wider than its limit: the widest
// text and binary columns become long values until the row fits.
#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// Byte is 0..255: TINYINT UNSIGNED; the extended Date/Time keeps microseconds; GUIDs keep their text form.
constexpr TypeRow types[] = {
    {JetType::Boolean, "BOOLEAN", ValueForm::Boolean},
    {JetType::Byte, "TINYINT UNSIGNED", ValueForm::Integer},
    {JetType::Integer, "SMALLINT", ValueForm::Integer},
    {JetType::Long, "INT", ValueForm::Integer},
    {JetType::BigInt, "BIGINT", ValueForm::Integer},
    {JetType::Currency, "DECIMAL(19,4)", ValueForm::Exact},
    {JetType::Decimal, "DECIMAL({p},{s})", ValueForm::Exact},
    {JetType::Single, "FLOAT", ValueForm::Float},
    {JetType::Double, "DOUBLE", ValueForm::Float},
    {JetType::DateTime, "DATETIME", ValueForm::Timestamp},
    {JetType::DateTimeExtended, "DATETIME(6)", ValueForm::Timestamp},
    {JetType::Text, "VARCHAR({n})", ValueForm::Text},
    {JetType::Memo, "LONGTEXT", ValueForm::Text, true},
    {JetType::Binary, "VARBINARY({n})", ValueForm::Bytes},
    {JetType::OleObject, "LONGBLOB", ValueForm::Bytes, true},
    {JetType::Guid, "CHAR(38)", ValueForm::UuidText},
    {JetType::LongBinary0D, "LONGBLOB", ValueForm::Bytes, true},
    {JetType::LongBinary11, "LONGBLOB", ValueForm::Bytes, true},
};

// The bytes a column can take in a row, counted in the two ways MySQL checks a table: the server's own
// 65,535-byte limit counts every variable-length column in full (utf8mb4: four bytes a character) and a long
// value by its pointer; InnoDB's limit of about half a 16 KiB page counts a column that may hold more than
// 255 bytes by the 40 bytes it keeps in the row when the value moves out of it, and a shorter one in full.
struct RowBytes {
    int server = 0;
    int inPage = 0;
};
RowBytes rowBytes(const QString& type) {
    static const QRegularExpression sized(
        QStringLiteral("^(VARCHAR|VARBINARY|CHAR|DECIMAL|DATETIME)\\((\\d+)"));
    const QRegularExpressionMatch m = sized.match(type);
    const auto variable = [](int bytes) { return RowBytes{bytes + 2, bytes > 255 ? 40 : bytes + 1}; };
    if (m.hasMatch()) {
        const int n = m.captured(2).toInt();
        const QString kind = m.captured(1);
        if (kind == QLatin1String("VARCHAR") || kind == QLatin1String("CHAR"))
            return variable(4 * n);
        if (kind == QLatin1String("VARBINARY"))
            return variable(n);
        if (kind == QLatin1String("DATETIME"))
            return {8, 8};
        return {n / 2 + 1, n / 2 + 1};
    }
    if (type.startsWith(QLatin1String("LONG")) || type == QLatin1String("TEXT") ||
        type == QLatin1String("BLOB"))
        return {12, 40};
    return {8, 8};
}
constexpr int serverRowLimit = 65535 - 1024; // room for the row header and the NULL bits
constexpr int innoDbRowLimit = 8126 - 200;   // and for InnoDB's own row header and system columns
constexpr int keyLimit = 3072;               // bytes of one index key in InnoDB's dynamic rows

bool isVariable(const TargetType& type) {
    return type.text.startsWith(QLatin1String("VARCHAR")) || type.text.startsWith(QLatin1String("VARBINARY"));
}

void fitRow(TablePlan& t) {
    const auto tableBytes = [&t] {
        RowBytes bytes;
        for (const ColumnPlan& c : t.columns) {
            if (!c.written)
                continue;
            bytes.server += rowBytes(c.type.text).server;
            bytes.inPage += rowBytes(c.type.text).inPage;
        }
        return bytes;
    };
    QStringList widened;
    for (RowBytes row = tableBytes(); row.server > serverRowLimit || row.inPage > innoDbRowLimit;
         row = tableBytes()) {
        // The column whose move out of the row saves most under the limit that is passed.
        const bool server = row.server > serverRowLimit;
        const auto saving = [server](const ColumnPlan& c) {
            const RowBytes b = rowBytes(c.type.text);
            return server ? b.server - 12 : b.inPage - 40;
        };
        ColumnPlan* widest = nullptr;
        for (ColumnPlan& c : t.columns)
            if (c.written && !c.type.longValue && isVariable(c.type) && saving(c) > 0 &&
                (!widest || saving(c) > saving(*widest)))
                widest = &c;
        if (!widest)
            break;
        const bool text = widest->type.text.startsWith(QLatin1String("VARCHAR"));
        widest->type.text = text ? QStringLiteral("TEXT") : QStringLiteral("BLOB");
        widest->type.longValue = true;
        if (!widest->defaultValue.isEmpty() && !widest->defaultValue.startsWith(QLatin1Char('(')))
            widest->defaultValue = QLatin1Char('(') + widest->defaultValue + QLatin1Char(')');
        widened << widest->column->name;
    }
    if (!widened.isEmpty())
        t.notes << QStringLiteral("The row would be too wide for InnoDB: %1 written as long values")
                       .arg(widened.join(QStringLiteral(", ")));
}

// A long value can be part of an index only by a prefix, and one key holds at most 3,072 bytes.
void keyPrefixes(const TargetDialect& dialect, const TablePlan& t, KeyPlan& k) {
    int fixed = 0;
    int variable = 0;
    bool anyLong = false;
    for (const QString& name : k.columnNames) {
        const ColumnPlan* c = t.find(name);
        if (c->type.longValue || isVariable(c->type))
            variable += c->type.longValue ? 4 * 255 : rowBytes(c->type.text).server;
        else
            fixed += rowBytes(c->type.text).server;
        anyLong = anyLong || c->type.longValue;
    }
    if (!anyLong && fixed + variable <= keyLimit)
        return;
    const auto prefixed = [](const ColumnPlan* c) {
        return c->type.longValue || c->type.text.startsWith(QLatin1String("VAR"));
    };
    const int parts = int(std::count_if(k.columnNames.cbegin(), k.columnNames.cend(),
                                        [&](const QString& n) { return prefixed(t.find(n)); }));
    const int share = std::max(1, (keyLimit - fixed) / std::max(1, parts));
    for (int i = 0; i < k.columnNames.size(); ++i) {
        const ColumnPlan* c = t.find(k.columnNames[i]);
        const bool isText = c->type.characters;
        if (!prefixed(c))
            continue;
        const int prefix = std::min(isText ? share / 4 : share, 255);
        if (!c->type.longValue && prefix * (isText ? 4 : 1) + 2 >= rowBytes(c->type.text).server)
            continue;
        QString& part = k.keyParts[i];
        const bool desc = part.endsWith(QLatin1String(" DESC"));
        part = quoteName(dialect, c->name) + QStringLiteral("(%1)").arg(prefix) +
               (desc ? QStringLiteral(" DESC") : QString());
    }
}

void fitTable(const TargetDialect& dialect, TablePlan& t) {
    fitRow(t);
    for (KeyPlan* k : t.keys())
        keyPrefixes(dialect, t, *k);
}

const RoutineSpellings routines{
    .argumentMode = "IN ",
    .deleteNamesAlias = true,
    .boolean = "BOOLEAN",
    .shortInteger = "SMALLINT",
    .longInteger = "INT",
    .currency = "DECIMAL(19,4)",
    .decimal = "DECIMAL(38,10)",
    .single = "FLOAT",
    .real = "DOUBLE",
    .timestamp = "DATETIME",
    .text = "TEXT CHARACTER SET utf8mb4",
};

} // namespace

const TargetDialect& mySqlDialect() {
    static const TargetDialect dialect{
        .target = Target::MySql,
        .scriptType = QStringLiteral("MySQL"),
        .openQuote = QLatin1Char('`'),
        .closeQuote = QLatin1Char('`'),
        .nameLimit = 64,
        .basicPlaneOnly = true,
        .nameComments = true,
        .reservedIndexName = QStringLiteral("PRIMARY"),
        .types = types,
        .unknownType = {JetType(0), "LONGBLOB", ValueForm::Bytes, true},
        .widestDecimal = "DECIMAL(65,30)",
        .trueLiteral = QStringLiteral("TRUE"),
        .falseLiteral = QStringLiteral("FALSE"),
        .backslashEscapes = true,
        .textLiterals = TextLiteral::Escaped,
        .timestampWithRows = "DATETIME(3)",
        .fractionDigits = 6,
        .textCase = {.insensitiveClause = " COLLATE utf8mb4_unicode_ci",
                     .sensitiveClause = " COLLATE utf8mb4_bin"},
        .longDefaultsAsExpressions = true,
        .nowDefault = "CURRENT_TIMESTAMP",
        .autoNumbering = AutoNumbering::KeyedClause,
        .identity = QStringLiteral(" AUTO_INCREMENT"),
        .uuidDefault = QStringLiteral("(UUID())"),
        .longValueForeignKeys = false,
        .fitTable = fitTable,
        .scriptSetup = "SET NAMES utf8mb4",
        .grants = true,
        .tableOptions = QStringLiteral(" ENGINE=InnoDB DEFAULT CHARSET=utf8mb4"),
        // Explicit AutoNumbers of 0 are kept, not numbered anew.
        .rowsSetup = "SET SESSION sql_mode = CONCAT(@@sql_mode, ',NO_AUTO_VALUE_ON_ZERO')",
        .begin = "START TRANSACTION",
        .functions = &mySqlFunctions(),
        .routines = &routines,
        .refusingTrigger = "CREATE TRIGGER {name} BEFORE {event} ON {table} FOR EACH ROW\r\n"
                           "IF NOT ({condition}) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = {message}; "
                           "END IF",
        .messageLimit = 128,
        .bodyDelimiter = "$$",
        .namedColumnChecks = false,
        .checksOnCascadedColumns = false,
    };
    return dialect;
}
