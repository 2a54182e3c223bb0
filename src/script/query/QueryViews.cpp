#include "QueryViews.h"

#include "AccessSqlParser.h"
#include "CrosstabQueries.h"
#include "HelperFunctions.h"
#include "NameAllocator.h"
#include "QueryRoutines.h"
#include "QueryTranslation.h"
#include "SchemaReader.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Why a query of a kind that is never a view is not one.
QString kindReason(QueryKind kind) {
    switch (kind) {
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
    case QueryKind::CrossTab: // made a grouped SELECT (CrosstabQueries.h)
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
    QString note{}; // a comment line before its view
};

// Makes a crosstab query's tree the grouped SELECT its view selects; why not, where it cannot be.
QString asCrosstabSelect(Candidate& c, const CrosstabSnapshots& crosstabs) {
    const auto found = crosstabs.constFind(c.query->name);
    auto select =
        crosstabSelect(std::get<AccessQuery>(c.parsed), found == crosstabs.cend() ? nullptr : &*found);
    if (const QString* why = std::get_if<QString>(&select))
        return *why;
    c.note = std::get<CrosstabSelect>(select).note;
    c.parsed = std::move(std::get<CrosstabSelect>(select).select);
    return QString();
}

} // namespace

ViewsScript viewsScript(const TargetDialect& dialect, const ConversionOptions& options,
                        const ScriptPlan& plan, const SavedQueries& queries,
                        const CrosstabSnapshots& crosstabs) {
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
        // An action query becomes a procedure where the server holds them.
        const bool action = c.reason == QLatin1String("action query") && holdsRoutines(dialect);
        if (c.reason.isEmpty() || action) {
            c.name = names.allocate(keptName(dialect, query.name));
            c.parsed = parseAccessSql(query.sql);
            if (const auto* failure = std::get_if<ParseFailure>(&c.parsed))
                c.reason = (action ? QStringLiteral("action query: ") : QString()) +
                           QStringLiteral("Access SQL this script cannot read: ") + failure->reason;
            else if (!action || std::get<AccessQuery>(c.parsed).action)
                c.reason.clear();
            if (c.reason.isEmpty() && query.kind == QueryKind::CrossTab)
                c.reason = asCrosstabSelect(c, crosstabs);
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
            const AccessQuery& parsed = std::get<AccessQuery>(c.parsed);
            const auto translated = translateQuery(parsed, dialect, schema);
            const auto* no = std::get_if<NotTranslated>(&translated);
            std::variant<NotTranslated, RoutineText> routine;
            if (no && holdsRoutines(dialect) && (parsed.action || asksForValues(*no))) {
                routine = queryRoutine(parsed, c.name, dialect, schema);
                if (const auto* made = std::get_if<RoutineText>(&routine)) {
                    views += made->text;
                    ++(made->function ? out.functions : out.procedures);
                    c.made = true;
                    progress = true;
                    continue;
                }
                no = &std::get<NotTranslated>(routine);
            }
            if (no) {
                const auto waits =
                    std::find_if(candidates.cbegin(), candidates.cend(), [&](const Candidate& o) {
                        return o.query->name == no->waitsFor && !o.made && o.reason.isEmpty();
                    });
                if (no->waitsFor.isEmpty() || waits == candidates.cend()) {
                    c.reason = (parsed.action ? QStringLiteral("action query: ") : QString()) + no->reason;
                    progress = true;
                }
                continue;
            }
            const TranslatedQuery& view = std::get<TranslatedQuery>(translated);
            schema.views.append({c.query->name, c.name, view.columns});
            if (!c.note.isEmpty())
                views += QStringLiteral("-- Query %1 is a crosstab: %2").arg(c.query->name, c.note) + CRLF;
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
        ++out.comments;
        out.left << QStringLiteral("%1: %2").arg(c.query->name, c.reason);
    }
    if (candidates.empty())
        return out;
    out.text += QStringLiteral("-- Saved queries: %1").arg(savedQueryCounts(out)) + CRLF;
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

QString savedQueryCounts(const ViewsScript& script) {
    const auto count = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    return count(script.views, "view", "views") + QStringLiteral(", ") +
           count(script.functions, "function", "functions") + QStringLiteral(", ") +
           count(script.procedures, "procedure", "procedures") + QStringLiteral(", ") +
           count(script.comments, "query left as a comment", "queries left as comments");
}

ViewsScript savedQueryViews(const TargetDialect& dialect, const ConversionOptions& options,
                            const ScriptPlan& plan, SchemaReader& reader) {
    const auto queries = reader.GetSavedQueries(options.DatabasePath);
    if (const auto* failure = std::get_if<ReadFailure>(&queries)) {
        ViewsScript out;
        out.text = QStringLiteral("-- The saved queries could not be read: %1").arg(failure->description) +
                   CRLF + CRLF;
        return out;
    }
    const SavedQueries& saved = std::get<SavedQueries>(queries);
    return viewsScript(dialect, options, plan, saved,
                       readCrosstabHeadings(saved, plan, reader, options.DatabasePath));
}
