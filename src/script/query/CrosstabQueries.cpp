#include "CrosstabQueries.h"

#include "AccessSqlParser.h"
#include "SchemaReader.h"
#include "ScriptPlan.h"

#include <QCollator>
#include <QDate>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Access shows no more than 255 columns of a crosstab.
constexpr int mostHeadings = 254;

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Expr literal(ExprKind kind, const QString& text = QString()) {
    Expr e;
    e.kind = kind;
    e.text = text;
    return e;
}

Expr node(ExprKind kind, const QString& text, std::vector<Expr> args) {
    Expr e = literal(kind, text);
    e.args = std::move(args);
    return e;
}

// A table or query a FROM clause reads; optional: on the side of an outer join whose rows may be missing,
// where its columns are Null.
struct Leaf {
    const Source* source;
    bool optional;
};

void leaves(const Source& s, bool optional, std::vector<Leaf>& out) {
    if (!s.join) {
        out.push_back({&s, optional});
        return;
    }
    leaves(s.sides[0], optional || s.kind == JoinKind::Right, out);
    leaves(s.sides[1], optional || s.kind == JoinKind::Left, out);
}

// What a pivot makes of its column's value: the value itself, or the year or month of a date.
enum class PivotOf { Value, Year, Month, YearText };

struct PivotColumn {
    const TableDefinition* table = nullptr;
    int column = 0;
    PivotOf of = PivotOf::Value;
    bool optional = false; // Null where an outer join finds no row, whatever the table holds
};

// Where the names of a query are looked up.
struct Lookup {
    const ScriptPlan& plan;
    const SavedQueries& queries;
};

std::optional<PivotColumn> tableColumn(const SelectQuery& select, const QStringList& parts,
                                       const Lookup& lookup, int depth);

// The table column a saved query's output column is, where it selects one as it is.
std::optional<PivotColumn> queryColumn(const SavedQuery& saved, const QString& column, const Lookup& lookup,
                                       int depth) {
    const auto parsed = parseAccessSql(saved.sql);
    const AccessQuery* query = std::get_if<AccessQuery>(&parsed);
    if (!query || query->selects.size() != 1 || query->crosstab)
        return std::nullopt;
    const SelectQuery& select = query->selects.front();
    for (const SelectItem& item : select.items) {
        const Expr& e = item.expr;
        const bool star = e.kind == ExprKind::Star || (e.kind == ExprKind::Name && e.parts.last() == "*");
        if (star && item.alias.isEmpty()) {
            const QStringList parts =
                e.kind == ExprKind::Star ? QStringList{column} : QStringList{e.parts.front(), column};
            if (auto found = tableColumn(select, parts, lookup, depth))
                return found;
        } else if (sameName(item.alias.isEmpty() && e.kind == ExprKind::Name ? e.parts.last() : item.alias,
                            column)) {
            return e.kind == ExprKind::Name ? tableColumn(select, e.parts, lookup, depth) : std::nullopt;
        }
    }
    return std::nullopt;
}

// The table column a name in the SELECT stands for, read from a table or through saved queries that select it
// as it is; nothing where it is an expression, or not one column of one source.
std::optional<PivotColumn> tableColumn(const SelectQuery& select, const QStringList& parts,
                                       const Lookup& lookup, int depth) {
    if (depth > 8 || parts.isEmpty() || parts.size() > 2 || parts.last() == QLatin1String("*"))
        return std::nullopt;
    std::vector<Leaf> sources;
    for (const Source& s : select.from)
        leaves(s, false, sources);
    std::optional<PivotColumn> found;
    int matches = 0;
    // Plain names rather than structured bindings: the lambdas below capture them.
    for (const Leaf& leaf : sources) {
        const Source* s = leaf.source;
        const bool optional = leaf.optional;
        if (parts.size() == 2 && !sameName(s->alias.isEmpty() ? s->name : s->alias, parts.front()))
            continue;
        std::optional<PivotColumn> here;
        const auto table = std::find_if(lookup.plan.tables.cbegin(), lookup.plan.tables.cend(),
                                        [&](const TablePlan& t) { return sameName(t.table->name, s->name); });
        const auto query = std::find_if(lookup.queries.cbegin(), lookup.queries.cend(),
                                        [&](const SavedQuery& q) { return sameName(q.name, s->name); });
        if (table != lookup.plan.tables.cend()) {
            const QList<ColumnDefinition>& columns = table->table->columns;
            for (int c = 0; c < columns.size(); ++c)
                if (sameName(columns[c].name, parts.last()))
                    here = PivotColumn{table->table, c, PivotOf::Value, false};
        } else if (query != lookup.queries.cend()) {
            here = queryColumn(*query, parts.last(), lookup, depth + 1);
        }
        if (here) {
            here->optional = here->optional || optional;
            found = here;
            ++matches;
        }
    }
    return matches == 1 ? found : std::nullopt;
}

// The table and column of the pivot, when it is a column of one table (or of a query that selects one as it
// is), or Year, Month or Format "yyyy" of one; otherwise why not.
std::variant<QString, PivotColumn> pivotColumn(const AccessQuery& query, const Lookup& lookup) {
    PivotOf of = PivotOf::Value;
    const Expr* pivot = &query.crosstab->pivot;
    if (pivot->kind == ExprKind::Call && pivot->args.size() == 1 &&
        (sameName(pivot->text, QStringLiteral("Year")) || sameName(pivot->text, QStringLiteral("Month")))) {
        of = sameName(pivot->text, QStringLiteral("Year")) ? PivotOf::Year : PivotOf::Month;
        pivot = &pivot->args.front();
    } else if (pivot->kind == ExprKind::Call && pivot->args.size() == 2 &&
               sameName(pivot->text, QStringLiteral("Format")) && pivot->args[1].kind == ExprKind::Text &&
               sameName(pivot->args[1].text, QStringLiteral("yyyy"))) {
        of = PivotOf::YearText;
        pivot = &pivot->args.front();
    }
    std::optional<PivotColumn> found;
    if (pivot->kind == ExprKind::Name)
        found = tableColumn(query.selects.front(), pivot->parts, lookup, 0);
    if (!found)
        return QStringLiteral("a crosstab without fixed column headings whose pivot is neither a column of a "
                              "table nor its Year or Month");
    found->of = of;
    return *found;
}

struct Heading {
    Expr literal;
    QString key; // what makes two values one heading: Access compares texts without regard to case
    qint64 number = 0;
};

Heading textHeading(const QString& text) {
    return {literal(ExprKind::Text, text), text.toCaseFolded(), 0};
}

Heading numberHeading(qint64 number) {
    const QString digits = QString::number(number);
    return {number < 0
                ? node(ExprKind::Unary, QStringLiteral("-"), {literal(ExprKind::Number, digits.mid(1))})
                : literal(ExprKind::Number, digits),
            digits, number};
}

// The heading of a value that is not Null, or why it can be none.
std::variant<QString, Heading> headingOf(const DataValue& v, PivotOf of) {
    if (of != PivotOf::Value) {
        if (v.kind != ValueKind::DateTime)
            return QStringLiteral("it holds values that are not dates");
        if (!(v.real > -657435.0 && v.real < 2958466.0))
            return QStringLiteral("it holds dates outside the years 100 to 9999");
        // The whole days count from 1899-12-30; a negative value's fraction counts forward in its day.
        const QDate date = QDate(1899, 12, 30).addDays(qint64(std::trunc(v.real)));
        if (of == PivotOf::Month)
            return numberHeading(date.month());
        if (of == PivotOf::Year)
            return numberHeading(date.year());
        if (date.year() < 1000)
            return QStringLiteral("it holds dates before the year 1000");
        return textHeading(QString::number(date.year()));
    }
    if (v.kind == ValueKind::Text) {
        const QString text = QString::fromUtf8(v.bytes.data(), qsizetype(v.bytes.size()));
        if (text.isEmpty())
            return QStringLiteral("it holds a zero-length text, which cannot name a column");
        return textHeading(text);
    }
    if (v.kind == ValueKind::Integer)
        return numberHeading(v.integer);
    return QStringLiteral("it holds values that are neither texts nor whole numbers");
}

CrosstabHeadings readHeadings(const AccessQuery& query, const Lookup& lookup, SchemaReader& reader,
                              const QString& path) {
    CrosstabHeadings out;
    const auto pivot = pivotColumn(query, lookup);
    if (const QString* why = std::get_if<QString>(&pivot)) {
        out.reason = *why;
        return out;
    }
    const PivotColumn& chosen = std::get<PivotColumn>(pivot);
    const TableDefinition* table = chosen.table;
    const int column = chosen.column;
    const PivotOf of = chosen.of;
    const bool optional = chosen.optional;
    out.source = table->name + QLatin1Char('.') + table->columns[column].name;
    if (of != PivotOf::Value)
        out.source = (of == PivotOf::Year    ? QStringLiteral("Year(%1)")
                      : of == PivotOf::Month ? QStringLiteral("Month(%1)")
                                             : QStringLiteral("Format(%1, \"yyyy\")"))
                         .arg(out.source);
    if (table->linked) {
        out.reason =
            QStringLiteral("a crosstab without fixed column headings whose pivot %1 is in a linked table")
                .arg(out.source);
        return out;
    }
    std::vector<Heading> headings;
    QSet<QString> seen;
    bool null = false;
    QString problem;
    const RowsRead read = reader.ReadTableRows(path, table->name, [&](const RowBatch& batch) {
        if (batch.columns != table->columns.size()) {
            problem = QStringLiteral("its rows were not read whole");
            return false;
        }
        for (std::size_t r = 0; r < batch.rows(); ++r) {
            const DataValue& v = batch.row(r)[column];
            if (v.kind == ValueKind::Null) {
                null = true;
                continue;
            }
            auto heading = headingOf(v, of);
            if (const QString* why = std::get_if<QString>(&heading)) {
                problem = *why;
                return false;
            }
            Heading& h = std::get<Heading>(heading);
            if (seen.contains(h.key))
                continue;
            seen.insert(h.key);
            headings.push_back(std::move(h));
            if (int(headings.size()) > mostHeadings) {
                problem = QStringLiteral("it holds more than %1 values").arg(mostHeadings);
                return false;
            }
        }
        return true;
    });
    if (problem.isEmpty() && read.failure)
        problem = read.failure->description;
    else if (problem.isEmpty() && !read.complete)
        problem = QStringLiteral("its rows could not all be read");
    if (!problem.isEmpty()) {
        out.reason = QStringLiteral("a crosstab whose column headings are read from %1, and %2")
                         .arg(out.source, problem);
        return out;
    }
    // Access's order: Null ("<>") first, then numbers by value and texts as a dictionary orders them, without
    // regard to case (accented letters beside their plain ones), the same on every machine.
    QCollator collator{QLocale(QLocale::English)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(headings.begin(), headings.end(), [&collator](const Heading& a, const Heading& b) {
        if (a.literal.kind == ExprKind::Text && b.literal.kind == ExprKind::Text)
            return collator.compare(a.literal.text, b.literal.text) < 0;
        return a.number < b.number;
    });
    if (null || optional)
        out.values.push_back(literal(ExprKind::Null));
    for (Heading& h : headings)
        out.values.push_back(std::move(h.literal));
    return out;
}

// A heading's column name, as Access names it; empty for a heading that is not a text or a number.
QString headingName(const Expr& heading) {
    switch (heading.kind) {
    case ExprKind::Text:
    case ExprKind::Number:
        return heading.text;
    case ExprKind::Null:
        return QStringLiteral("<>");
    case ExprKind::Unary:
        if (heading.text == QLatin1String("-") && heading.args.front().kind == ExprKind::Number)
            return QLatin1Char('-') + heading.args.front().text;
        break;
    default:
        break;
    }
    return QString();
}

bool named(const Expr& call, std::initializer_list<const char*> names) {
    return call.kind == ExprKind::Call &&
           std::any_of(names.begin(), names.end(), [&](const char* n) { return sameName(call.text, n); });
}

const std::initializer_list<const char*> aggregates = {"Count", "Sum",    "Avg", "Min", "Max",
                                                       "StDev", "StDevP", "Var", "VarP"};

// The value with each aggregate taken over the rows the condition picks alone; why not, where it cannot be.
QString restrict(Expr& e, const Expr& condition, int& found) {
    if (named(e, {"First", "Last"}))
        return QStringLiteral("a crosstab of the aggregate %1, which servers do not have").arg(e.text);
    if (named(e, aggregates) && e.args.size() == 1) {
        Expr& value = e.args.front();
        Expr picked = value.kind == ExprKind::Star ? literal(ExprKind::Number, QStringLiteral("1")) : value;
        value = node(ExprKind::Call, QStringLiteral("IIf"),
                     {condition, std::move(picked), literal(ExprKind::Null)});
        ++found;
        return QString();
    }
    for (Expr& a : e.args) // a subquery's own aggregates are not among them
        if (const QString why = restrict(a, condition, found); !why.isEmpty())
            return why;
    return QString();
}

} // namespace

CrosstabSnapshots readCrosstabHeadings(const SavedQueries& queries, const ScriptPlan& plan,
                                       SchemaReader& reader, const QString& path) {
    CrosstabSnapshots out;
    for (const SavedQuery& q : queries) {
        if (q.hidden || q.kind != QueryKind::CrossTab)
            continue;
        const auto parsed = parseAccessSql(q.sql);
        const AccessQuery* query = std::get_if<AccessQuery>(&parsed);
        if (query && query->crosstab && query->crosstab->headings.empty())
            out.insert(q.name, readHeadings(*query, Lookup{plan, queries}, reader, path));
    }
    return out;
}

std::variant<QString, CrosstabSelect> crosstabSelect(const AccessQuery& query, const CrosstabHeadings* read) {
    if (!query.crosstab)
        return QStringLiteral("a crosstab without TRANSFORM and PIVOT");
    const Crosstab& crosstab = *query.crosstab;
    CrosstabSelect out;
    out.note = QStringLiteral("its columns after the row headings are its fixed column headings");
    const std::vector<Expr>* headings = &crosstab.headings;
    if (headings->empty()) {
        if (!read)
            return QStringLiteral("a crosstab without fixed column headings, whose headings were not read");
        if (!read->reason.isEmpty())
            return read->reason;
        headings = &read->values;
        out.note = QStringLiteral("its columns after the row headings are the values of %1 in the file when "
                                  "this script was written")
                       .arg(read->source);
    }
    if (headings->empty())
        return QStringLiteral("a crosstab without column headings (%1 holds no values)").arg(read->source);
    out.select = query;
    out.select.crosstab.reset();
    SelectQuery& select = out.select.selects.front();
    // A bare Sum, Avg, Min or Max is already Null where no row has the heading; anything else (a Count, an
    // expression) is made Null there, as Access leaves such a cell empty.
    const bool emptyIsNull = named(crosstab.value, aggregates) && !named(crosstab.value, {"Count"});
    for (const Expr& heading : *headings) {
        const QString name = headingName(heading);
        if (name.isEmpty())
            return QStringLiteral("a crosstab with a column heading that is not a text or a number");
        const Expr condition = heading.kind == ExprKind::Null
                                   ? node(ExprKind::IsNull, QString(), {crosstab.pivot})
                                   : node(ExprKind::Binary, QStringLiteral("="), {crosstab.pivot, heading});
        Expr cell = crosstab.value;
        int found = 0;
        if (const QString why = restrict(cell, condition, found); !why.isEmpty())
            return why;
        if (found == 0)
            return QStringLiteral("a crosstab whose value is not an aggregate");
        if (!emptyIsNull) {
            Expr rows = node(ExprKind::Call, QStringLiteral("Count"), {literal(ExprKind::Star)});
            int counted = 0;
            restrict(rows, condition, counted);
            cell = node(ExprKind::Call, QStringLiteral("IIf"),
                        {node(ExprKind::Binary, QStringLiteral("="),
                              {std::move(rows), literal(ExprKind::Number, QStringLiteral("0"))}),
                         literal(ExprKind::Null), std::move(cell)});
        }
        select.items.push_back({std::move(cell), name});
    }
    return out;
}
