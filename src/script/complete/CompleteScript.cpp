#include "CompleteScript.h"

#include "Planner.h"
#include "TableSelection.h"

#include <algorithm>

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void appendComment(QString& text, const QString& line) {
    text += QLatin1String("-- ");
    text += oneLine(line);
    text += CRLF;
}

QString statementEnd(const TargetDialect& dialect, const ConversionOptions& options) {
    return QStringLiteral(";") + CRLF +
           (dialect.go && options.CreateGo ? QStringLiteral("GO") + CRLF : QString());
}

QString columnList(const QStringList& quoted) {
    return quoted.join(QStringLiteral(", "));
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
    if (!c.comment.isEmpty()) {
        text += QLatin1String(" COMMENT ");
        text += stringLiteral(dialect, c.comment);
    }
    for (const QString& check : c.checks) {
        text += QLatin1Char(' ');
        text += check;
    }
}

// A key written inside CREATE TABLE: "UNIQUE KEY `name` (...)", "KEY (...)".
void appendTableKey(QString& text, const TargetDialect& dialect, const KeyPlan& k) {
    text += k.unique ? QLatin1String("    UNIQUE KEY ") : QLatin1String("    KEY ");
    if (!k.name.isEmpty()) {
        appendQuotedName(text, dialect, k.name);
        text += QLatin1Char(' ');
    }
    text += QLatin1Char('(');
    text += columnList(k.keyParts);
    text += QLatin1Char(')');
}

QString grantStatement(const TargetDialect& dialect, const ConversionOptions& options, const QString& table) {
    const QStringList permissions = grantedPermissions(options);
    return QStringLiteral("GRANT %1 ON %2 TO %3")
        .arg(permissions.join(QStringLiteral(", ")), quoteName(dialect, table), options.UserNames.trimmed());
}

} // namespace

CompleteScript::CompleteScript(const TargetDialect& dialect, const ConversionOptions& options,
                               ScriptContents contents)
    : dialect_(dialect), options_(options), contents_(contents), plan_(std::make_unique<ScriptPlan>()),
      planner_(std::make_unique<Planner>(dialect, options, contents, *plan_)) {}

CompleteScript::CompleteScript(const TargetDialect& dialect, const DatabaseSchema& schema,
                               const ConversionOptions& options, ScriptContents contents)
    : CompleteScript(dialect, options, contents) {
    for (const TableDefinition& table : schema.tables)
        addTable(TableDefinition(table));
    finish(schema.relationships);
}

CompleteScript::~CompleteScript() = default;

void CompleteScript::setRowFacts(RowFacts facts) {
    plan_->rowFacts = std::move(facts);
}

void CompleteScript::addTable(TableDefinition&& table) {
    if (!writesTable(table, options_))
        return;
    plan_->definitions.push_back(std::move(table));
    planner_->table(plan_->definitions.back());
}

void CompleteScript::finish(const QList<Relationship>& relationships) {
    planner_->finish(relationships);
    planner_.reset();
}

int CompleteScript::tableCount() const {
    return int(plan_->tables.size());
}

const TableDefinition& CompleteScript::table(int i) const {
    return *plan_->tables[i].table;
}

QString CompleteScript::tableDefinition(int i) const {
    const TablePlan& t = plan_->tables[i];
    QString text = definitionOf(t);
    for (const TablePlan& child : t.children)
        text += CRLF + definitionOf(child);
    return text;
}

QString CompleteScript::definitionOf(const TablePlan& t) const {
    // Appended piece by piece into one string: a schema of thousands of tables makes tens of thousands of
    // lines, and a temporary string for each part of each line cost more than writing them.
    QString text;
    text.reserve(256 + 96 * (t.columns.size() + t.indexes.size()));
    for (const QString& note : t.notes)
        appendComment(text, note);
    if (!t.written)
        return text;

    text += QLatin1String("CREATE TABLE ");
    appendQuotedName(text, dialect_, t.name);
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
    for (const KeyPlan& k : t.indexes) {
        if (k.inTable) {
            nextLine();
            appendTableKey(text, dialect_, k);
        }
    }
    for (const QString& fk : t.inlineForeignKeys) {
        nextLine();
        text += QLatin1String("    ");
        text += fk;
    }
    for (const QString& check : t.checks) {
        nextLine();
        text += QLatin1String("    ");
        text += check;
    }
    text += CRLF;
    text += QLatin1Char(')');
    text += dialect_.tableOptions;
    if (!t.comment.isEmpty()) {
        text += QLatin1String(" COMMENT=");
        text += stringLiteral(dialect_, t.comment);
    }
    text += statementEnd(dialect_, options_);
    return text;
}

QString CompleteScript::tableIndexes(int i) const {
    QString text = indexesOf(plan_->tables[i]);
    for (const TablePlan& child : plan_->tables[i].children)
        text += indexesOf(child);
    return text;
}

QString CompleteScript::indexesOf(const TablePlan& t) const {
    if (!t.written)
        return QString();
    const QString end = statementEnd(dialect_, options_);
    const QString table = quoteName(dialect_, t.name);
    QString text;
    for (const QString& note : t.indexNotes)
        appendComment(text, note);
    for (const KeyPlan& k : t.indexes) {
        if (k.inTable)
            continue;
        text += k.unique ? QLatin1String("CREATE UNIQUE INDEX ") : QLatin1String("CREATE INDEX ");
        appendQuotedName(text, dialect_, k.name);
        text += QLatin1String(" ON ");
        text += table;
        text += QLatin1String(" (");
        text += columnList(k.keyParts);
        text += QLatin1Char(')');
        text += end;
    }
    for (const QString& description : t.descriptions)
        text += description + end;
    for (const QString& trigger : t.triggers) {
        // A trigger's body holds ";": a command-line client that ends a statement at the first one is given
        // a delimiter of the script's own around it.
        if (dialect_.bodyDelimiter && clientDelimiters_)
            text += QStringLiteral("DELIMITER %1").arg(QLatin1String(dialect_.bodyDelimiter)) + CRLF +
                    trigger + QLatin1String(dialect_.bodyDelimiter) + CRLF + QStringLiteral("DELIMITER ;") +
                    CRLF;
        else
            text += trigger + end;
    }
    if (dialect_.grants && options_.CreatePermissions)
        text += grantStatement(dialect_, options_, t.name) + end;
    return text;
}

CompleteScript::Piece CompleteScript::tableScript(int i) const {
    const TablePlan& t = plan_->tables[i];
    Piece piece{definitionOf(t) + indexesOf(t) + CRLF, 0};
    for (const TablePlan& child : t.children)
        piece.text += definitionOf(child) + indexesOf(child) + CRLF;
    for (const KeyPlan& k : plan_->tables[i].indexes)
        piece.indexes += k.index ? 1 : 0;
    return piece;
}

QString CompleteScript::relationshipScript() const {
    const QString end = statementEnd(dialect_, options_);
    QString text;
    for (const RelationshipPlan& r : plan_->relationships) {
        for (const QString& note : r.notes)
            appendComment(text, note);
        if (!r.clause.isEmpty() && !r.inTable)
            text += QStringLiteral("ALTER TABLE %1 ADD %2").arg(quoteName(dialect_, r.table), r.clause) + end;
    }
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
