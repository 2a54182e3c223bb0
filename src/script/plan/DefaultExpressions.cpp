#include "DefaultExpressions.h"

#include "AccessSqlParser.h"
#include "QueryTranslation.h"

#include <QRegularExpression>

namespace {

// What kind of value an expression gives, as far as a default needs to know it.
enum class Kind { Number, Text, Date, Truth, Null, Other };

bool named(const QString& name, const char* function) {
    return name.compare(QLatin1String(function), Qt::CaseInsensitive) == 0;
}

bool isDateFunction(const QString& name) {
    return named(name, "Now") || named(name, "Date") || named(name, "Time");
}

// The domain functions read other rows: no server lets a default do that.
bool isDomainFunction(const QString& name) {
    for (const char* f : {"DLookup", "DCount", "DSum", "DAvg", "DMin", "DMax", "DFirst", "DLast", "DStDev",
                          "DStDevP", "DVar", "DVarP"})
        if (named(name, f))
            return true;
    return false;
}

// Access writes Now and Date without their parentheses too: the call they stand for.
void nameToCall(Expr& e) {
    if (e.kind == ExprKind::Name && e.parts.size() == 1 && !e.bang && isDateFunction(e.parts.front())) {
        e.kind = ExprKind::Call;
        e.text = e.parts.front();
        e.parts.clear();
    }
    for (Expr& arg : e.args)
        nameToCall(arg);
}

// Why the expression cannot be computed for a new row; empty when it can.
QString notComputable(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Name:
        return QStringLiteral("it refers to %1").arg(e.parts.join(QLatin1Char('.')));
    case ExprKind::Star:
    case ExprKind::Subquery:
        return QStringLiteral("it reads other rows");
    case ExprKind::Call:
        if (isDomainFunction(e.text))
            return QStringLiteral("%1 reads other rows").arg(e.text);
        break;
    default:
        break;
    }
    if (!e.subquery.empty())
        return QStringLiteral("it reads other rows");
    for (const Expr& arg : e.args)
        if (QString why = notComputable(arg); !why.isEmpty())
            return why;
    return {};
}

Kind kindOf(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Number:
        return Kind::Number;
    case ExprKind::Text:
        return Kind::Text;
    case ExprKind::Date:
        return Kind::Date;
    case ExprKind::Boolean:
        return Kind::Truth;
    case ExprKind::Null:
        return Kind::Null;
    case ExprKind::Call:
        return isDateFunction(e.text) ? Kind::Date : Kind::Other;
    case ExprKind::Unary:
        return e.text == QLatin1String("NOT") ? Kind::Truth : kindOf(e.args.front());
    case ExprKind::Binary: {
        const Kind a = kindOf(e.args[0]);
        const Kind b = kindOf(e.args[1]);
        const QString& op = e.text;
        if (op == QLatin1String("&"))
            return Kind::Text;
        const bool arithmetic = op == QLatin1String("+") || op == QLatin1String("-") ||
                                op == QLatin1String("*") || op == QLatin1String("/") ||
                                op == QLatin1String("\\") || op == QLatin1String("MOD") ||
                                op == QLatin1String("^");
        if (!arithmetic)
            return Kind::Truth;
        if (a == Kind::Other || b == Kind::Other)
            return Kind::Other;
        if (a == Kind::Null || b == Kind::Null)
            return Kind::Null;
        if (op == QLatin1String("+") && a == Kind::Text && b == Kind::Text)
            return Kind::Text;
        if (op == QLatin1String("-") && a == Kind::Date && b == Kind::Date)
            return Kind::Number;
        if ((op == QLatin1String("+") || op == QLatin1String("-")) && (a == Kind::Date || b == Kind::Date))
            return Kind::Date;
        return Kind::Number;
    }
    default:
        return Kind::Truth;
    }
}

QString kindName(Kind kind) {
    switch (kind) {
    case Kind::Number:
        return QStringLiteral("a number");
    case Kind::Text:
        return QStringLiteral("a text");
    case Kind::Date:
        return QStringLiteral("a date");
    case Kind::Truth:
        return QStringLiteral("a Yes/No value");
    default:
        return QStringLiteral("a value of a kind not known here");
    }
}

// Whether a value of this kind goes into the column as Access would store it.
bool fits(Kind kind, int jetType) {
    if (kind == Kind::Null)
        return true;
    switch (JetType(jetType)) {
    case JetType::Boolean:
        return kind == Kind::Truth || kind == Kind::Number;
    case JetType::Byte:
    case JetType::Integer:
    case JetType::Long:
    case JetType::BigInt:
    case JetType::Currency:
    case JetType::Decimal:
    case JetType::Single:
    case JetType::Double:
        return kind == Kind::Number;
    case JetType::DateTime:
    case JetType::DateTimeExtended:
        return kind == Kind::Date;
    case JetType::Text:
    case JetType::Memo:
        // A date would be the server's text of it, not Access's.
        return kind == Kind::Text || kind == Kind::Number;
    default:
        return false;
    }
}

// Whether the whole text stands in one pair of parentheses already, as "(a + b)" does and "(a) + (b)" does
// not.
bool enclosed(const QString& sql) {
    if (!sql.startsWith(QLatin1Char('(')))
        return false;
    int depth = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('('))
            ++depth;
        else if (!quoted && c == QLatin1Char(')') && --depth == 0)
            return i == sql.size() - 1;
    }
    return false;
}

std::variant<DefaultRefused, QString> refused(QString reason) {
    return DefaultRefused{std::move(reason)};
}

} // namespace

std::variant<DefaultRefused, QString> expressionDefault(const TargetDialect& d, const ColumnPlan& column,
                                                        const QString& value) {
    QString text = value.trimmed();
    if (text.startsWith(QLatin1Char('=')))
        text = text.mid(1).trimmed();
    const auto parsed = parseAccessSql(QStringLiteral("SELECT ") + text);
    const auto* query = std::get_if<AccessQuery>(&parsed);
    if (!query || query->action || query->crosstab || query->selects.size() != 1 ||
        query->selects.front().items.size() != 1 || !query->selects.front().from.empty() ||
        !query->selects.front().items.front().alias.isEmpty())
        return refused(QStringLiteral("it is not an expression read here"));
    Expr e = query->selects.front().items.front().expr;
    nameToCall(e);
    if (e.kind == ExprKind::Call && named(e.text, "GenGUID") && e.args.empty()) {
        if (column.jetType != int(JetType::Guid))
            return refused(QStringLiteral("GenGUID() makes a value for a Replication ID column only"));
        if (d.uuidDefault.isEmpty())
            return refused(QStringLiteral("%1 has no UUID generator").arg(d.scriptType));
        return d.uuidDefault;
    }
    if (const QString why = notComputable(e); !why.isEmpty())
        return refused(why);
    const Kind kind = kindOf(e);
    if (kind == Kind::Other)
        return refused(QStringLiteral("it calls a function other than Now, Date and Time"));
    if (!fits(kind, column.jetType))
        return refused(
            QStringLiteral("it is %1, which the column does not hold as Access does").arg(kindName(kind)));
    const QuerySchema noTables;
    const auto translated = translateClauses({}, {e}, std::nullopt, d, noTables);
    if (const auto* failure = std::get_if<NotTranslated>(&translated))
        return refused(failure->reason);
    const QString sql = std::get<TranslatedClauses>(translated).values.front();
    // The time of the insert, where the server takes it as a default only in its own spelling.
    if (d.nowDefault && column.type.form == ValueForm::Timestamp &&
        sql == QLatin1String(d.functions->dates.now)) {
        static const QRegularExpression digits(QStringLiteral("\\(\\d\\)$"));
        return QLatin1String(d.nowDefault) + digits.match(column.type.text).captured();
    }
    // Every server takes an expression in parentheses; MySQL and SQLite take one only so.
    return enclosed(sql) ? sql : QLatin1Char('(') + sql + QLatin1Char(')');
}
