#include "QueryViews.h"

#include "AccessSqlParser.h"
#include "HelperFunctions.h"
#include "NameAllocator.h"
#include "QueryTranslation.h"
#include "SchemaReader.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Why a query of a kind that is never a view is not one.
QString kindReason(QueryKind kind) {
    switch (kind) {
    case QueryKind::CrossTab:
        return QStringLiteral("crosstab");
    case QueryKind::Append:
    case QueryKind::Update:
    case QueryKind::Delete:
    case QueryKind::MakeTable:
        return QStringLiteral("action query");
    case QueryKind::DataDefinition:
        return QStringLiteral("data-definition query");
    case QueryKind::PassThrough:
        return QStringLiteral("pass-through query");
    case QueryKind::Select:
    case QueryKind::Union:
        break;
    }
    return QString();
}

void appendCommented(QString& text, const QString& sql) {
    for (const QString& line : sql.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        text += QStringLiteral("-- ") + line + CRLF;
}

// Every name the script gives a table, and those sharing the tables' namespace on this server: keys,
// indexes and foreign keys.
void reservePlanNames(NameAllocator& names, const TargetDialect& d, const ScriptPlan& plan) {
    static const QRegularExpression constraint(QStringLiteral("^CONSTRAINT (.)(.*?)\\1 FOREIGN KEY"));
    for (const TablePlan& t : plan.tables) {
        names.reserve(t.name);
        if (!d.primaryKeySuffix.isEmpty())
            names.reserve(t.name + d.primaryKeySuffix);
        if (t.primaryKey && !t.primaryKey->name.isEmpty())
            names.reserve(t.primaryKey->name); // a constraint, which SQL Server names among the tables
        if (d.databaseWideIndexNames)
            for (const KeyPlan& k : t.indexes)
                if (!k.name.isEmpty())
                    names.reserve(k.name);
    }
    for (const RelationshipPlan& r : plan.relationships)
        if (const auto m = constraint.match(r.clause); m.hasMatch())
            names.reserve(m.captured(2));
}

struct Candidate {
    const SavedQuery* query;
    QString name; // in the script
    std::variant<ParseFailure, AccessQuery> parsed;
    QString reason; // empty while it may still become a view
    bool made = false;
};

} // namespace

ViewsScript viewsScript(const TargetDialect& dialect, const ConversionOptions& options,
                        const ScriptPlan& plan, const SavedQueries& queries) {
    ViewsScript out;
    NameAllocator names(dialect.nameLimit, dialect.limitInBytes);
    reservePlanNames(names, dialect, plan);
    QuerySchema schema;
    schema.plan = &plan;
    std::vector<Candidate> candidates;
    for (const SavedQuery& query : queries) {
        schema.queryNames << query.name;
        if (query.hidden)
            continue;
        Candidate c{&query, QString(), ParseFailure{}, kindReason(query.kind)};
        if (c.reason.isEmpty()) {
            c.name = names.allocate(keptName(dialect, query.name));
            c.parsed = parseAccessSql(query.sql);
            if (const auto* failure = std::get_if<ParseFailure>(&c.parsed))
                c.reason = QStringLiteral("Access SQL this script cannot read: ") + failure->reason;
        }
        candidates.push_back(std::move(c));
    }

    // A view is made once the views it reads are: round after round, until a round makes none.
    const QString end = QStringLiteral(";") + CRLF + (dialect.go ? QStringLiteral("GO") + CRLF : QString());
    QString views;
    for (bool progress = true; progress;) {
        progress = false;
        for (Candidate& c : candidates) {
            if (c.made || !c.reason.isEmpty())
                continue;
            const auto translated = translateQuery(std::get<AccessQuery>(c.parsed), dialect, schema);
            if (const auto* no = std::get_if<NotTranslated>(&translated)) {
                const auto waits =
                    std::find_if(candidates.cbegin(), candidates.cend(), [&](const Candidate& o) {
                        return o.query->name == no->waitsFor && !o.made && o.reason.isEmpty();
                    });
                if (no->waitsFor.isEmpty() || waits == candidates.cend()) {
                    c.reason = no->reason;
                    progress = true;
                }
                continue;
            }
            const TranslatedQuery& view = std::get<TranslatedQuery>(translated);
            schema.views.append({c.query->name, c.name, view.columns});
            views += QStringLiteral("CREATE VIEW ") + quoteName(dialect, c.name) + QStringLiteral(" AS") +
                     CRLF + view.select + end;
            c.made = true;
            ++out.views;
            progress = true;
        }
    }
    QString comments;
    for (Candidate& c : candidates) {
        if (c.made)
            continue;
        if (c.reason.isEmpty())
            c.reason = QStringLiteral("reads a query that reads it in turn");
        comments += QStringLiteral("-- Query %1 is not a view here: %2").arg(c.query->name, c.reason) + CRLF;
        appendCommented(comments, c.query->sql);
    }
    if (candidates.empty())
        return out;
    // SQL Server takes CREATE VIEW only as the first statement of a batch.
    if (dialect.go && !options.CreateGo && out.views > 0)
        out.text += QStringLiteral("GO") + CRLF;
    out.text += helperDefinitions(dialect, views); // the functions of the script's own the views call
    out.text += views;
    if (!comments.isEmpty())
        out.text += comments;
    out.text += CRLF;
    return out;
}

QString savedQueryViews(const TargetDialect& dialect, const ConversionOptions& options,
                        const ScriptPlan& plan, SchemaReader& reader) {
    const auto queries = reader.GetSavedQueries(options.DatabasePath);
    if (const auto* failure = std::get_if<ReadFailure>(&queries))
        return QStringLiteral("-- The saved queries could not be read: %1").arg(failure->description) + CRLF +
               CRLF;
    return viewsScript(dialect, options, plan, std::get<SavedQueries>(queries)).text;
}
