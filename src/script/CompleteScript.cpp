#include "CompleteScript.h"

#include "SchemaFromTexts.h"
#include "TargetTypes.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>
#include <deque>
#include <optional>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Names the server keeps unique: cut to its length limit, compared without regard to case (SQLite and
// MySQL fold case; elsewhere it costs at most a suffix), and given "_2", "_3"... when taken.
class NameAllocator {
public:
    NameAllocator(int limit, bool inBytes, qsizetype expected = 0) : limit_(limit), inBytes_(inBytes) {
        taken_.reserve(expected);
    }
    void reserve(const QString& name) { taken_.insert(folded(cut(name, 0))); }
    QString allocate(const QString& base) {
        QString name = cut(base, 0);
        if (!insert(folded(name))) {
            // Names are only ever added, so the suffixes tried for this base before are still taken: the
            // search goes on after the one given last time instead of from "_2" (a name shared by a thousand
            // tables' indexes would otherwise cost a million tries).
            int& n = nextSuffix_[base];
            for (n = std::max(n, 2);; ++n) {
                const QString suffix = QLatin1Char('_') + QString::number(n);
                name = cut(base, int(suffix.size())) + suffix;
                if (insert(folded(name)))
                    break;
            }
            ++n;
        }
        return name;
    }

    // Whether a fresh allocator would give each of these names back as it is: every name fits, and no two
    // are the same without regard to case. Answered without the allocator's keys for up to a few dozen
    // ASCII names (nearly every table's columns); false where it cannot tell cheaply.
    static bool keepsAsTheyAre(int limit, bool inBytes, const QList<ColumnDefinition>& columns) {
        constexpr qsizetype most = 64; // names, so up to about 2,000 pairs
        if (columns.size() > most)
            return false;
        // A hash of each lowered name (FNV-1a): only names of the same hash are compared unit by unit.
        std::array<std::uint32_t, most> hashes{};
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QString& name = columns[i].name;
            if (!fits(name, limit, inBytes, 0))
                return false;
            std::uint32_t hash = 2166136261u;
            const QStringView units(name);
            for (qsizetype k = 0; k < units.size(); ++k) {
                const char16_t u = units.utf16()[k];
                if (u >= 0x80)
                    return false;
                hash = (hash ^ lowerAscii(u)) * 16777619u;
            }
            hashes[std::size_t(i)] = hash;
        }
        const auto sameAscii = [](const QString& a, const QString& b) {
            const QStringView x(a);
            const QStringView y(b);
            return x.size() == y.size() &&
                   std::equal(x.utf16(), x.utf16() + x.size(), y.utf16(),
                              [](char16_t p, char16_t q) { return lowerAscii(p) == lowerAscii(q); });
        };
        for (qsizetype i = 0; i < columns.size(); ++i)
            for (qsizetype j = i + 1; j < columns.size(); ++j)
                if (hashes[std::size_t(i)] == hashes[std::size_t(j)] &&
                    sameAscii(columns[i].name, columns[j].name))
                    return false;
        return true;
    }

private:
    // Takes the key unless it is taken already; one lookup either way.
    bool insert(QString&& key) {
        const qsizetype before = taken_.size();
        taken_.insert(std::move(key));
        return taken_.size() != before;
    }
    static char16_t lowerAscii(char16_t u) {
        return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
    }
    // A UTF-16 code unit never takes more than three bytes of UTF-8: most names need no counting.
    static bool fits(const QString& name, int limit, bool inBytes, int room) {
        return limit <= 0 || name.size() * (inBytes ? 3 : 1) <= limit - room;
    }
    // The name's case-folded form; Unicode folding costs a hundred times what ASCII lowering does, and
    // nearly every name is ASCII.
    static QString folded(const QString& name) {
        const auto* from = reinterpret_cast<const char16_t*>(name.utf16());
        const qsizetype size = name.size();
        if (std::any_of(from, from + size, [](char16_t u) { return u >= 0x80; }))
            return name.toCaseFolded();
        QString lowered(size, Qt::Uninitialized);
        char16_t* to = reinterpret_cast<char16_t*>(lowered.data());
        for (qsizetype i = 0; i < size; ++i)
            to[i] = lowerAscii(from[i]);
        return lowered;
    }
    QString cut(QString name, int room) const {
        if (fits(name, limit_, inBytes_, room))
            return name;
        const auto length = [this](const QString& s) {
            return inBytes_ ? int(s.toUtf8().size()) : int(s.size());
        };
        while (!name.isEmpty() && length(name) > limit_ - room) {
            name.chop(1);
            if (!name.isEmpty() && name.back().isHighSurrogate()) // never half a character
                name.chop(1);
        }
        return name;
    }
    int limit_;
    bool inBytes_;
    QSet<QString> taken_;
    QHash<QString, int> nextSuffix_; // per base: the first suffix not yet known to be taken
};

QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString comment(const QString& text) {
    return QStringLiteral("-- ") + oneLine(text) + CRLF;
}

QString complexKind(ComplexType type) {
    return type == ComplexType::Attachment ? QStringLiteral("an attachment column")
                                           : QStringLiteral("a multi-valued column");
}

bool isNumeric(int jetType) {
    switch (JetType(jetType)) {
    case JetType::Byte:
    case JetType::Integer:
    case JetType::Long:
    case JetType::BigInt:
    case JetType::Currency:
    case JetType::Decimal:
    case JetType::Single:
    case JetType::Double:
        return true;
    default:
        return false;
    }
}

// Access keeps a default value as the text of an expression. Numbers, quoted strings and the truth words are
// literals every server takes; anything else (=Now(), Date(), #1/1/2000#) is an Access expression.
std::optional<QString> literalDefault(const TargetDialect& dialect, int jetType, const TargetType& type,
                                      QString value) {
    value = value.trimmed();
    if (value.startsWith(QLatin1Char('=')))
        value = value.mid(1).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    std::optional<QString> quoted;
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front()) {
        const QChar quote = value.front();
        QString inner = value.mid(1, value.size() - 2);
        if (!QString(inner).remove(QString(2, quote)).contains(quote))
            quoted = inner.replace(QString(2, quote), QString(quote));
    }
    const QString word = value.toLower();
    std::optional<bool> truth;
    if (word == QLatin1String("true") || word == QLatin1String("yes") || word == QLatin1String("on"))
        truth = true;
    else if (word == QLatin1String("false") || word == QLatin1String("no") || word == QLatin1String("off"))
        truth = false;

    if (jetType == int(JetType::Boolean)) {
        if (!truth && number.match(value).hasMatch())
            truth = value.toDouble() != 0;
        if (truth)
            return *truth ? dialect.trueLiteral : dialect.falseLiteral;
        return std::nullopt;
    }
    if (isNumeric(jetType)) {
        if (quoted && number.match(*quoted).hasMatch())
            return *quoted;
        if (number.match(value).hasMatch())
            return value;
        return std::nullopt;
    }
    if (jetType == int(JetType::Text) || jetType == int(JetType::Memo)) {
        std::optional<QString> text = quoted;
        if (!text && number.match(value).hasMatch())
            text = value;
        if (!text)
            return std::nullopt;
        const QString literal = stringLiteral(dialect, *text);
        // MySQL takes a default on a long text only as an expression.
        return dialect.target == Target::MySql && type.longValue
                   ? QLatin1Char('(') + literal + QLatin1Char(')')
                   : literal;
    }
    return std::nullopt;
}

// The bytes a MySQL column can take in a row, counted in the two ways MySQL checks a table: the server's own
// 65,535-byte limit counts every variable-length column in full (utf8mb4: four bytes a character) and a long
// value by its pointer; InnoDB's limit of about half a 16 KiB page counts a column that may hold more than
// 255 bytes by the 40 bytes it keeps in the row when the value moves out of it, and a shorter one in full.
struct MySqlBytes {
    int server = 0;
    int inPage = 0;
};
MySqlBytes mySqlBytes(const QString& type) {
    static const QRegularExpression sized(
        QStringLiteral("^(VARCHAR|VARBINARY|CHAR|DECIMAL|DATETIME)\\((\\d+)"));
    const QRegularExpressionMatch m = sized.match(type);
    const auto variable = [](int bytes) { return MySqlBytes{bytes + 2, bytes > 255 ? 40 : bytes + 1}; };
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
constexpr int mySqlRowLimit = 65535 - 1024; // room for the row header and the NULL bits
constexpr int innoDbRowLimit = 8126 - 200;  // and for InnoDB's own row header and system columns
constexpr int mySqlKeyLimit = 3072;         // bytes of one index key in InnoDB's dynamic rows

int mySqlRowBytes(const QString& type) {
    return mySqlBytes(type).server;
}

struct ColumnPlan {
    const ColumnDefinition* column = nullptr;
    QString name; // in the script: the Access name, cut where the server keeps fewer bytes
    bool written = false;
    TargetType type;
    int jetType = 0;
    bool notNull = false;
    bool identity = false;
    bool inlineKey = false; // SQLite: INTEGER PRIMARY KEY AUTOINCREMENT on the column itself
    QString defaultValue;   // the literal or expression after DEFAULT
};

struct KeyPlan {
    const IndexDefinition* index = nullptr;
    QString name;
    QStringList columnNames; // as the table has them
    QStringList keyParts;    // quoted, with DESC and MySQL's prefix lengths
    bool unique = false;
};

struct TablePlan {
    const TableDefinition* table = nullptr;
    QString name; // in the script
    bool written = false;
    QStringList notes; // comment lines before CREATE TABLE
    QList<ColumnPlan> columns;
    std::optional<KeyPlan> primaryKey;
    QList<KeyPlan> indexes;
    QStringList indexNotes;
    QStringList inlineForeignKeys; // SQLite
    QStringList descriptions;      // PostgreSQL's COMMENT ON statements

    const ColumnPlan* find(const QString& name) const {
        // Names of different lengths never match without regard to case (it is compared unit by unit).
        for (const ColumnPlan& c : columns)
            if (c.column->name.size() == name.size() &&
                c.column->name.compare(name, Qt::CaseInsensitive) == 0)
                return &c;
        return nullptr;
    }
    ColumnPlan* find(const QString& name) { return const_cast<ColumnPlan*>(std::as_const(*this).find(name)); }
};

bool skipped(const TableDefinition& table, const ConversionOptions& options) {
    return !options.IncludeSystemTables &&
           (table.name.startsWith(QLatin1String("MSys")) || table.name.isEmpty() || table.system);
}

QString columnList(const QStringList& quoted) {
    return quoted.join(QStringLiteral(", "));
}

} // namespace

struct CompleteScriptPlan {
    std::deque<TableDefinition> definitions; // the tables planned, where the plans point to
    QList<TablePlan> tables;
    QStringList relationships; // statements and comments after the last table
};

// Plans each table as it is given, in the order of the table list: its name, columns, keys and indexes.
// What depends on the tables after it waits until the last table is in: the names of indexes where those
// share the database's namespace with the tables, and the foreign keys.
class CompleteScriptPlanner {
public:
    CompleteScriptPlanner(const TargetDialect& dialect, const ConversionOptions& options,
                          CompleteScriptPlan& plan)
        : d_(dialect), options_(options), plan_(plan), globalNames_(dialect.nameLimit, dialect.limitInBytes),
          constraintNames_(dialect.nameLimit, dialect.limitInBytes),
          tableNames_(dialect.nameLimit, dialect.limitInBytes) {}

    // The names of indexes that share the database's namespace, given once every table has its name (a table
    // may take the name an index of an earlier table asks for), in the order of the tables.
    void nameIndexes() {
        if (!d_.databaseWideIndexNames)
            return;
        for (TablePlan& t : plan_.tables)
            for (KeyPlan& k : t.indexes)
                k.name = globalNames_.allocate(k.index->name);
    }

    void table(const TableDefinition& table) {
        TablePlan& t = plan_.tables.emplace_back();
        t.table = &table;
        // A name longer than the server keeps is cut (and made unique) here rather than by the server, so
        // that the script says so and two long names cannot become one. Tables and indexes share a namespace
        // in some servers: every table's name is taken before any such index is named.
        t.name = tableNames_.allocate(table.name);
        globalNames_.reserve(t.name);
        constraintNames_.reserve(t.name);
        if (d_.target == Target::PostgreSql)
            globalNames_.reserve(t.name + QStringLiteral("_pkey")); // the name it gives a primary key
        if (t.name != table.name)
            t.notes << QStringLiteral("Table %1 is named %2 here: the server keeps no longer names")
                           .arg(table.name, t.name);
        if (table.linked) {
            const QString where =
                QStringLiteral("linked table: %1 in %2").arg(table.foreignName, table.linkedDatabase);
            if (table.columnsState != ReadState::Read) {
                t.notes << QStringLiteral("Table %1 is a %2, whose file is not here: not written")
                               .arg(table.name, where);
                return;
            }
            t.notes
                << QStringLiteral("Table %1 is a %2; written as a table of its own").arg(table.name, where);
        }
        if (table.columnsState == ReadState::NotRead) {
            t.notes << QStringLiteral(
                           "Table %1 is a linked table whose table could not be reached: not written")
                           .arg(table.name);
            return;
        }
        if (table.columnsState != ReadState::Read) {
            t.notes << QStringLiteral("Table %1: its columns could not be read: not written").arg(table.name);
            return;
        }
        // Nearly every table's column names are kept as they are; an allocator is made only for the others.
        std::optional<NameAllocator> columnNames;
        if (!NameAllocator::keepsAsTheyAre(d_.nameLimit, d_.limitInBytes, table.columns))
            columnNames.emplace(d_.nameLimit, d_.limitInBytes, table.columns.size());
        t.columns.reserve(table.columns.size());
        for (const ColumnDefinition& column : table.columns) {
            t.columns.append(columnPlan(t, column));
            ColumnPlan& c = t.columns.last();
            if (!c.written)
                continue;
            c.name = columnNames ? columnNames->allocate(column.name) : column.name;
            if (c.name != column.name)
                t.notes << QStringLiteral("Column %1 is named %2 here: the server keeps no longer names")
                               .arg(column.name, c.name);
            if (!column.description.isEmpty())
                describe(t, c.name, column.description);
        }
        if (std::none_of(t.columns.cbegin(), t.columns.cend(),
                         [](const ColumnPlan& c) { return c.written; })) {
            t.notes
                << QStringLiteral("Table %1 has no column this script can hold: not written").arg(table.name);
            return;
        }
        t.written = true;
        keys(t);
        if (d_.target == Target::MySql)
            fitMySqlRow(t);
        autoNumbers(t);
    }

    void relationships(const QList<Relationship>& relationships) {
        // Foreign-key names are unique in the database (MySQL, and SQL Server, where they are objects
        // beside the tables), never shared with index names.
        NameAllocator& names = constraintNames_;
        for (const Relationship& r : relationships) {
            const QString what =
                QStringLiteral("Relationship %1: %2 (%3) references %4 (%5)")
                    .arg(r.name, r.table, columns(r, false), r.referencedTable, columns(r, true));
            if (!r.enforced) {
                plan_.relationships << comment(what + QStringLiteral(", not enforced by Access"));
                continue;
            }
            QString reason;
            const std::optional<QString> clause = foreignKey(r, names, reason);
            if (!clause) {
                plan_.relationships << comment(what + QStringLiteral(": not written, ") + reason);
                continue;
            }
            if (d_.foreignKeysInTable)
                findTable(r.table)->inlineForeignKeys << *clause;
            else
                plan_.relationships
                    << QStringLiteral("ALTER TABLE %1 ADD %2").arg(q(findTable(r.table)->name), *clause);
        }
    }

private:
    QString q(const QString& name) const { return quoteName(d_, name); }

    void describe(TablePlan& t, const QString& column, const QString& text) {
        if (d_.descriptionStatements) {
            t.descriptions
                << (column.isEmpty()
                        ? QStringLiteral("COMMENT ON TABLE %1 IS %2").arg(q(t.name), stringLiteral(d_, text))
                        : QStringLiteral("COMMENT ON COLUMN %1.%2 IS %3")
                              .arg(q(t.name), q(column), stringLiteral(d_, text)));
            return;
        }
        t.notes << (column.isEmpty() ? QStringLiteral("Description of %1: %2").arg(t.table->name, text)
                                     : QStringLiteral("Description of %1: %2").arg(column, text));
    }

    ColumnPlan columnPlan(TablePlan& t, const ColumnDefinition& column) {
        ColumnPlan c;
        c.column = &column;
        if (column.complexType != ComplexType::None || column.jetType == int(JetType::Complex)) {
            t.notes << QStringLiteral("Column %1 is %2; its data lives in hidden tables: not written")
                           .arg(column.name, complexKind(column.complexType));
            return c;
        }
        c.jetType =
            column.calculated && column.resultType != 0 ? jetTypeOfCode(column.resultType) : column.jetType;
        const std::optional<TargetType> type = targetType(d_.target, c.jetType, column);
        if (!type) {
            t.notes << QStringLiteral(
                           "Column %1 has the Access type %2, which has no counterpart here: not written")
                           .arg(column.name)
                           .arg(column.typeCode);
            return c;
        }
        c.written = true;
        c.type = *type;
        if (column.calculated)
            t.notes << QStringLiteral("Column %1 is calculated in Access: %2")
                           .arg(column.name, column.expression);
        c.identity = column.autoNumber && c.jetType == int(JetType::Long);
        c.notNull = column.required || c.identity || c.jetType == int(JetType::Boolean);
        if (column.guidAutoNumber && c.jetType == int(JetType::Guid)) {
            c.notNull = true;
            if (!d_.uuidDefault.isEmpty())
                c.defaultValue = d_.uuidDefault;
            else
                t.notes << QStringLiteral("Column %1 is a GUID AutoNumber; this server has no UUID generator")
                               .arg(column.name);
        }
        if (!column.defaultValue.isEmpty() && c.defaultValue.isEmpty()) {
            if (const auto literal = literalDefault(d_, c.jetType, c.type, column.defaultValue))
                c.defaultValue = *literal;
            else
                t.notes << QStringLiteral("Column %1 has the Access default %2")
                               .arg(column.name, column.defaultValue);
        }
        if (c.defaultValue.isEmpty() && c.jetType == int(JetType::Boolean))
            c.defaultValue = d_.falseLiteral; // Access stores No in a Yes/No column that is not given a value
        return c;
    }

    // The columns of an index, or the reason it cannot be written.
    std::optional<KeyPlan> keyPlan(const TablePlan& t, const IndexDefinition& index, QString& reason) const {
        KeyPlan k;
        k.index = &index;
        k.unique = index.unique || index.primaryKey;
        if (index.columns.isEmpty()) {
            reason = QStringLiteral("its columns are not known");
            return std::nullopt;
        }
        k.columnNames.reserve(index.columns.size());
        k.keyParts.reserve(index.columns.size());
        for (const IndexColumn& ic : index.columns) {
            const ColumnPlan* c = t.find(ic.name);
            if (!c || !c->written) {
                reason = QStringLiteral("its column %1 is not in the script").arg(ic.name);
                return std::nullopt;
            }
            if (d_.target == Target::SqlServer && c->type.longValue) {
                reason = QStringLiteral("its column %1 is too long to be a key").arg(ic.name);
                return std::nullopt;
            }
            k.columnNames << c->column->name;
            QString part = q(c->name);
            if (ic.descending && !index.primaryKey)
                part += QLatin1String(" DESC");
            k.keyParts << std::move(part);
        }
        return k;
    }

    void keys(TablePlan& t) {
        NameAllocator tableNames(d_.nameLimit, d_.limitInBytes,
                                 d_.databaseWideIndexNames ? 0 : t.table->indexes.size() + 1);
        if (d_.target == Target::MySql)
            tableNames.reserve(QStringLiteral("PRIMARY"));
        // Names shared with the whole database are given once every table is named (nameIndexes).
        for (const IndexDefinition& index : t.table->indexes) {
            QString reason;
            if (index.primaryKey) {
                if (!options_.CreatePrimaryKey)
                    continue;
                if (auto k = keyPlan(t, index, reason)) {
                    t.primaryKey = *k;
                    for (const QString& name : k->columnNames)
                        t.find(name)->notNull = true;
                } else {
                    t.notes << QStringLiteral("Primary key %1 not written: %2").arg(index.name, reason);
                }
                continue;
            }
            if (!options_.CreateIndexes)
                continue;
            if (auto k = keyPlan(t, index, reason)) {
                if (!d_.databaseWideIndexNames)
                    k->name = tableNames.allocate(index.name);
                t.indexes << std::move(*k);
            } else {
                t.indexNotes << QStringLiteral("Index %1 not written: %2").arg(index.name, reason);
            }
        }
    }

    // InnoDB rejects a table whose row could be wider than its limit: the widest text columns become long
    // texts until the row fits.
    void fitMySqlRow(TablePlan& t) {
        const auto rowBytes = [&t] {
            MySqlBytes bytes;
            for (const ColumnPlan& c : t.columns) {
                if (!c.written)
                    continue;
                bytes.server += mySqlBytes(c.type.text).server;
                bytes.inPage += mySqlBytes(c.type.text).inPage;
            }
            return bytes;
        };
        QStringList widened;
        for (MySqlBytes row = rowBytes(); row.server > mySqlRowLimit || row.inPage > innoDbRowLimit;
             row = rowBytes()) {
            // The column whose move out of the row saves most under the limit that is passed.
            const bool server = row.server > mySqlRowLimit;
            const auto saving = [server](const ColumnPlan& c) {
                const MySqlBytes b = mySqlBytes(c.type.text);
                return server ? b.server - 12 : b.inPage - 40;
            };
            ColumnPlan* widest = nullptr;
            for (ColumnPlan& c : t.columns)
                if (c.written && !c.type.longValue &&
                    (c.type.text.startsWith(QLatin1String("VARCHAR")) ||
                     c.type.text.startsWith(QLatin1String("VARBINARY"))) &&
                    saving(c) > 0 && (!widest || saving(c) > saving(*widest)))
                    widest = &c;
            if (!widest)
                break;
            const bool text = widest->type.text.startsWith(QLatin1String("VARCHAR"));
            widest->type.text = text ? mySqlWidenedText() : QStringLiteral("BLOB");
            widest->type.longValue = true;
            if (!widest->defaultValue.isEmpty() && !widest->defaultValue.startsWith(QLatin1Char('(')))
                widest->defaultValue = QLatin1Char('(') + widest->defaultValue + QLatin1Char(')');
            widened << widest->column->name;
        }
        if (!widened.isEmpty())
            t.notes << QStringLiteral("The row would be too wide for InnoDB: %1 written as long values")
                           .arg(widened.join(QStringLiteral(", ")));
        // A long value can be part of an index only by a prefix, and one key holds at most 3,072 bytes.
        for (KeyPlan* k : keyPlans(t))
            mySqlKeyPrefixes(t, *k);
    }

    QList<KeyPlan*> keyPlans(TablePlan& t) {
        QList<KeyPlan*> all;
        if (t.primaryKey)
            all << &*t.primaryKey;
        for (KeyPlan& k : t.indexes)
            all << &k;
        return all;
    }

    void mySqlKeyPrefixes(const TablePlan& t, KeyPlan& k) const {
        int fixed = 0;
        int variable = 0;
        bool anyLong = false;
        for (const QString& name : k.columnNames) {
            const ColumnPlan* c = t.find(name);
            if (c->type.longValue || c->type.text.startsWith(QLatin1String("VARCHAR")) ||
                c->type.text.startsWith(QLatin1String("VARBINARY")))
                variable += c->type.longValue ? 4 * 255 : mySqlRowBytes(c->type.text);
            else
                fixed += mySqlRowBytes(c->type.text);
            anyLong = anyLong || c->type.longValue;
        }
        if (!anyLong && fixed + variable <= mySqlKeyLimit)
            return;
        const int parts =
            int(std::count_if(k.columnNames.cbegin(), k.columnNames.cend(), [&](const QString& n) {
                const ColumnPlan* c = t.find(n);
                return c->type.longValue || c->type.text.startsWith(QLatin1String("VAR"));
            }));
        const int share = std::max(1, (mySqlKeyLimit - fixed) / std::max(1, parts));
        for (int i = 0; i < k.columnNames.size(); ++i) {
            const ColumnPlan* c = t.find(k.columnNames[i]);
            const bool isText = c->type.text16;
            if (!c->type.longValue && !c->type.text.startsWith(QLatin1String("VAR")))
                continue;
            const int prefix = std::min(isText ? share / 4 : share, 255);
            if (!c->type.longValue && prefix * (isText ? 4 : 1) + 2 >= mySqlRowBytes(c->type.text))
                continue;
            QString& part = k.keyParts[i];
            const bool desc = part.endsWith(QLatin1String(" DESC"));
            part = q(c->name) + QStringLiteral("(%1)").arg(prefix) +
                   (desc ? QStringLiteral(" DESC") : QString());
        }
    }

    // An AutoNumber needs a key in MySQL (AUTO_INCREMENT) and SQLite (AUTOINCREMENT); without one it stays a
    // plain integer.
    void autoNumbers(TablePlan& t) {
        for (ColumnPlan& c : t.columns) {
            if (!c.written || !c.identity)
                continue;
            if (d_.target == Target::MySql) {
                bool keyed = t.primaryKey && t.primaryKey->columnNames.first().compare(
                                                 c.column->name, Qt::CaseInsensitive) == 0;
                for (const KeyPlan& k : t.indexes)
                    keyed = keyed || k.columnNames.first().compare(c.column->name, Qt::CaseInsensitive) == 0;
                if (!keyed) {
                    c.identity = false;
                    t.notes << QStringLiteral(
                                   "Column %1 is an AutoNumber without a key, which MySQL cannot number")
                                   .arg(c.column->name);
                }
            } else if (d_.target == Target::Sqlite) {
                c.identity = false;
                if (t.primaryKey && t.primaryKey->columnNames.size() == 1 &&
                    t.primaryKey->columnNames.first().compare(c.column->name, Qt::CaseInsensitive) == 0) {
                    c.inlineKey = true;
                    c.type.text = QStringLiteral("INTEGER");
                } else {
                    t.notes << QStringLiteral("Column %1 is an AutoNumber; SQLite numbers only a one-column "
                                              "integer primary key")
                                   .arg(c.column->name);
                }
            }
        }
    }

    TablePlan* findTable(const QString& name) {
        for (TablePlan& t : plan_.tables)
            if (t.table->name == name)
                return &t;
        for (TablePlan& t : plan_.tables)
            if (t.table->name.compare(name, Qt::CaseInsensitive) == 0)
                return &t;
        return nullptr;
    }

    static QString columns(const Relationship& r, bool referenced) {
        QStringList names;
        for (const RelationshipColumn& c : r.columns)
            names << (referenced ? c.referencedColumn : c.column);
        return names.join(QStringLiteral(", "));
    }

    std::optional<QString> foreignKey(const Relationship& r, NameAllocator& names, QString& reason) {
        TablePlan* from = findTable(r.table);
        TablePlan* to = findTable(r.referencedTable);
        if (!from || !to || !from->written || !to->written) {
            reason = QStringLiteral("a table of it is not in the script");
            return std::nullopt;
        }
        if (r.columns.isEmpty()) {
            reason = QStringLiteral("its columns are not known");
            return std::nullopt;
        }
        // The referenced columns must be a key the script writes; the pairs follow that key's order.
        const KeyPlan* key = nullptr;
        QList<KeyPlan*> candidates = keyPlans(*to);
        for (const KeyPlan* k : candidates) {
            if (!k->unique || k->columnNames.size() != r.columns.size())
                continue;
            bool all = true;
            for (const RelationshipColumn& c : r.columns)
                all = all && k->columnNames.contains(c.referencedColumn, Qt::CaseInsensitive);
            if (all) {
                key = k;
                break;
            }
        }
        if (!key) {
            reason =
                QStringLiteral("the script has no primary key or unique index on the referenced columns");
            return std::nullopt;
        }
        QStringList fromColumns;
        QStringList toColumns;
        for (const QString& keyColumn : key->columnNames) {
            for (const RelationshipColumn& c : r.columns) {
                if (c.referencedColumn.compare(keyColumn, Qt::CaseInsensitive) != 0)
                    continue;
                const ColumnPlan* fc = from->find(c.column);
                if (!fc || !fc->written || (d_.target == Target::MySql && fc->type.longValue) ||
                    (d_.target == Target::MySql && to->find(keyColumn)->type.longValue)) {
                    reason =
                        QStringLiteral("its column %1 is not in the script as a key column").arg(c.column);
                    return std::nullopt;
                }
                fromColumns << q(fc->name);
                toColumns << q(to->find(keyColumn)->name);
            }
        }
        QString clause =
            QStringLiteral("CONSTRAINT %1 FOREIGN KEY (%2) REFERENCES %3 (%4)")
                .arg(q(names.allocate(r.name)), columnList(fromColumns), q(to->name), columnList(toColumns));
        // SQL Server refuses cascading actions on a table that refers to itself (a possible cycle).
        if (d_.target == Target::SqlServer && from == to &&
            (r.cascadeUpdate || r.cascadeDelete || r.cascadeSetNull)) {
            plan_.relationships << comment(
                QStringLiteral("Relationship %1 cascades in Access; SQL Server cannot "
                               "cascade within one table")
                    .arg(r.name));
            return clause;
        }
        if (r.cascadeUpdate)
            clause += QStringLiteral(" ON UPDATE CASCADE");
        if (r.cascadeDelete)
            clause += QStringLiteral(" ON DELETE CASCADE");
        else if (r.cascadeSetNull)
            clause += QStringLiteral(" ON DELETE SET NULL");
        return clause;
    }

    const TargetDialect& d_;
    const ConversionOptions& options_;
    CompleteScriptPlan& plan_;
    NameAllocator globalNames_;
    NameAllocator constraintNames_;
    NameAllocator tableNames_;
};

CompleteScript::CompleteScript(const TargetDialect& dialect, const ConversionOptions& options)
    : dialect_(dialect), options_(options), plan_(std::make_unique<CompleteScriptPlan>()),
      planner_(std::make_unique<CompleteScriptPlanner>(dialect, options, *plan_)) {}

CompleteScript::CompleteScript(const TargetDialect& dialect, const DatabaseSchema& schema,
                               const ConversionOptions& options)
    : CompleteScript(dialect, options) {
    for (const TableDefinition& table : schema.tables)
        addTable(TableDefinition(table));
    finish(schema.relationships);
}

void CompleteScript::addTable(TableDefinition&& table) {
    if (skipped(table, options_))
        return;
    plan_->definitions.push_back(std::move(table));
    planner_->table(plan_->definitions.back());
}

void CompleteScript::finish(const QList<Relationship>& relationships) {
    planner_->nameIndexes();
    planner_->relationships(relationships);
    planner_.reset();
}

CompleteScript::~CompleteScript() = default;

int CompleteScript::tableCount() const {
    return int(plan_->tables.size());
}

const TableDefinition& CompleteScript::table(int i) const {
    return *plan_->tables[i].table;
}

namespace {

QString statementEnd(const TargetDialect& dialect, const ConversionOptions& options) {
    return QStringLiteral(";") + CRLF +
           (dialect.go && options.CreateGo ? QStringLiteral("GO") + CRLF : QString());
}

void appendColumnLine(QString& text, const TargetDialect& dialect, const ColumnPlan& c) {
    text += QLatin1String("    ");
    appendQuotedName(text, dialect, c.name);
    text += QLatin1Char(' ');
    text += c.type.text;
    if (c.notNull)
        text += QLatin1String(" NOT NULL");
    if (c.inlineKey)
        text += QLatin1String(" PRIMARY KEY AUTOINCREMENT");
    if (c.identity)
        text += dialect.identity;
    if (!c.defaultValue.isEmpty()) {
        text += QLatin1String(" DEFAULT ");
        text += c.defaultValue;
    }
}

QString grantStatement(const TargetDialect& dialect, const ConversionOptions& options, const QString& table) {
    const QStringList permissions = grantedPermissions(options);
    return QStringLiteral("GRANT %1 ON %2 TO %3")
        .arg(permissions.join(QStringLiteral(", ")), quoteName(dialect, table), options.UserNames.trimmed());
}

} // namespace

CompleteScript::Piece CompleteScript::tableScript(int i) const {
    const TablePlan& t = plan_->tables[i];
    const QString end = statementEnd(dialect_, options_);
    Piece piece;
    for (const QString& note : t.notes)
        piece.text += comment(note);
    if (!t.written)
        return {piece.text + CRLF, 0};

    // Appended piece by piece into one string: a schema of thousands of tables makes tens of thousands of
    // lines, and a temporary string for each part of each line cost more than writing them.
    QString& text = piece.text;
    text.reserve(text.size() + 256 + 96 * (t.columns.size() + t.indexes.size()));
    const QString table = quoteName(dialect_, t.name);
    text += QLatin1String("CREATE TABLE ");
    text += table;
    text += QLatin1String(" (");
    text += CRLF;
    bool firstLine = true;
    const auto nextLine = [&] {
        if (!firstLine) {
            text += QLatin1Char(',');
            text += CRLF;
        }
        firstLine = false;
    };
    for (const ColumnPlan& c : t.columns) {
        if (c.written) {
            nextLine();
            appendColumnLine(text, dialect_, c);
        }
    }
    const bool inlineKey =
        std::any_of(t.columns.cbegin(), t.columns.cend(), [](const ColumnPlan& c) { return c.inlineKey; });
    if (t.primaryKey && !inlineKey) {
        nextLine();
        text += QLatin1String("    PRIMARY KEY (");
        text += columnList(t.primaryKey->keyParts);
        text += QLatin1Char(')');
    }
    for (const QString& fk : t.inlineForeignKeys) {
        nextLine();
        text += QLatin1String("    ");
        text += fk;
    }
    text += CRLF;
    text += QLatin1Char(')');
    text += dialect_.tableOptions;
    text += end;

    for (const QString& note : t.indexNotes)
        text += comment(note);
    for (const KeyPlan& k : t.indexes) {
        text += k.unique ? QLatin1String("CREATE UNIQUE INDEX ") : QLatin1String("CREATE INDEX ");
        appendQuotedName(text, dialect_, k.name);
        text += QLatin1String(" ON ");
        text += table;
        text += QLatin1String(" (");
        text += columnList(k.keyParts);
        text += QLatin1Char(')');
        text += end;
        ++piece.indexes;
    }
    for (const QString& description : t.descriptions)
        piece.text += description + end;
    if (dialect_.grants && options_.CreatePermissions)
        piece.text += grantStatement(dialect_, options_, t.name) + end;
    piece.text += CRLF;
    return piece;
}

QString CompleteScript::relationshipScript() const {
    const QString end = statementEnd(dialect_, options_);
    QString text;
    for (const QString& line : plan_->relationships)
        text += line.startsWith(QLatin1String("-- ")) ? line : line + end;
    return text.isEmpty() ? text : text + CRLF;
}

QString commentedHeader(const QString& header) {
    QStringList lines = header.split(CRLF);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QString text;
    for (const QString& line : lines)
        text += QStringLiteral("-- ") + line + CRLF;
    return text;
}
