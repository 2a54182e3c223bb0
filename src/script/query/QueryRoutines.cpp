#include "QueryRoutines.h"

#include "ActionQueries.h"
#include "NameAllocator.h"

#include <QRegularExpression>
#include <iterator>
#include <optional>
#include <tuple>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString asksFor = QStringLiteral("asks for the parameter [");
const QString formField = QStringLiteral("refers to the form field ");

struct Argument {
    QString accessName;
    QString name; // in the routine's signature
    QString type; // the server's
    ValueType valueType = ValueType::Text;
    int guess = -1; // a value the query does not declare: which of guesses its type is
};

// The types tried for a value the query asks for without declaring it, as Access's parameter types.
const char* const guesses[] = {"Text", "Long", "Double", "DateTime"};

// An Access parameter type (PARAMETERS [X] Long) as a value type and the server's type; empty when the
// server has no type for it.
std::pair<ValueType, QString> argumentType(const TargetDialect& d, const QString& access) {
    const RoutineSpellings& r = *d.routines;
    const QString t = access.section(QLatin1Char(' '), 0, 0).toLower();
    const auto in = [&](std::initializer_list<const char*> words) {
        for (const char* w : words)
            if (t == QLatin1String(w))
                return true;
        return false;
    };
    const auto type = [](ValueType v, const char* server) {
        return std::pair(v, QString::fromLatin1(server));
    };
    if (in({"bit", "yesno", "logical", "logical1", "boolean"}))
        return type(ValueType::Boolean, r.boolean);
    if (in({"byte", "tinyint", "short", "smallint", "integer", "integer1", "integer2"}))
        return type(ValueType::Integer, r.shortInteger);
    if (in({"long", "int", "integer4", "counter", "autoincrement"}))
        return type(ValueType::Integer, r.longInteger);
    if (in({"currency", "money"}))
        return type(ValueType::Exact, r.currency);
    if (in({"decimal", "numeric"}))
        return type(ValueType::Exact, r.decimal);
    if (in({"single", "ieeesingle", "real", "float4"}))
        return type(ValueType::Float, r.single);
    if (in({"double", "ieeedouble", "float", "float8", "number"}))
        return type(ValueType::Float, r.real);
    if (in({"datetime", "date", "time", "timestamp"}))
        return type(ValueType::Date, r.timestamp);
    if (t.isEmpty() ||
        in({"text", "char", "varchar", "string", "memo", "longtext", "note", "longchar", "value", "variant"}))
        return type(ValueType::Text, r.text);
    return {ValueType::Other, QString()};
}

void guessed(const TargetDialect& d, Argument& a) {
    std::tie(a.valueType, a.type) = argumentType(d, QLatin1String(guesses[a.guess]));
}

// A PARAMETERS declaration as the parser keeps it ("[Start Date] DateTime", "Who Text ( 255 )",
// "[Forms] ! [Orders] ! [ID] Long", old files' "Forms!Sales by Year Dialog!BeginningDate DateTime") as the
// name the query uses (a form's control with its parts joined by "!") and the type.
std::pair<QString, QString> declared(const QString& declaration) {
    static const QRegularExpression last(QStringLiteral("^(.*?)\\s+(\\w+)\\s*(\\(.*\\))?$"));
    QStringList parts = declaration.split(QLatin1Char('!'));
    QString type;
    QString& name = parts.last();
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.indexOf(QLatin1Char(']')) > 0) {
        type = name.mid(name.indexOf(QLatin1Char(']')) + 1).trimmed();
        name = name.left(name.indexOf(QLatin1Char(']')) + 1);
    } else if (const auto m = last.match(name); m.hasMatch()) {
        type = m.captured(2);
        name = m.captured(1);
    }
    for (QString& part : parts) {
        part = part.trimmed();
        if (part.startsWith(QLatin1Char('[')) && part.endsWith(QLatin1Char(']')))
            part = part.mid(1, part.size() - 2);
    }
    return {parts.join(QLatin1Char('!')), type};
}

// The query's translation once every value it asks for is an argument: those declared first, then each
// name the translation asks for, as text.
template <typename Translate>
auto withArguments(const AccessQuery& query, const TargetDialect& d, QuerySchema schema,
                   QList<Argument>& arguments, Translate translate) -> decltype(translate(schema)) {
    for (const QString& declaration : query.parameters) {
        const auto [name, accessType] = declared(declaration);
        const auto [type, serverType] = argumentType(d, accessType);
        if (serverType.isEmpty())
            return NotTranslated{QStringLiteral("a parameter of the type %1").arg(accessType), QString()};
        arguments.append({name, QString(), serverType, type});
    }
    std::optional<NotTranslated> firstFailure;
    for (int round = 0;; ++round) {
        NameAllocator names(d.nameLimit > 2 ? d.nameLimit - 2 : d.nameLimit, d.limitInBytes);
        for (Argument& a : arguments)
            a.name = names.allocate(
                keptName(d, QString(a.accessName).replace(QLatin1Char('!'), QLatin1Char('_'))));
        schema.parameters.clear();
        for (int i = 0; i < arguments.size(); ++i)
            schema.parameters.append({arguments[i].accessName,
                                      d.routines->positionalArguments
                                          ? QStringLiteral("$%1").arg(i + 1)
                                          : quoteName(d, QStringLiteral("p_") + arguments[i].name),
                                      arguments[i].valueType});
        auto result = translate(schema);
        const auto* no = std::get_if<NotTranslated>(&result);
        if (!no || round > 100)
            return firstFailure && no ? decltype(result)(*firstFailure) : result;
        QString asked;
        if (no->reason.startsWith(asksFor) && no->reason.endsWith(QLatin1Char(']')))
            asked = no->reason.mid(asksFor.size()).chopped(1);
        else if (no->reason.startsWith(formField))
            asked = no->reason.mid(formField.size());
        // Access reads an alias of the SELECT list anywhere in it: a name that is one is no parameter.
        for (const SelectQuery& select : query.selects)
            for (const SelectItem& item : select.items)
                if (!asked.isEmpty() && item.alias.compare(asked, Qt::CaseInsensitive) == 0)
                    return result;
        for (const Argument& a : arguments)
            if (!asked.isEmpty() && a.accessName.compare(asked, Qt::CaseInsensitive) == 0)
                return result; // asked for again: the translation cannot take it as an argument
        if (!asked.isEmpty()) {
            arguments.append({asked, QString(), QString(), ValueType::Text, 0});
            guessed(d, arguments.last());
            continue;
        }
        // A value the query does not declare is text, until the query uses it as what text is not: then
        // each other type in turn, the last value asked for first.
        if (!firstFailure)
            firstFailure = *no;
        qsizetype i = arguments.size() - 1;
        for (; i >= 0; --i) {
            Argument& a = arguments[i];
            if (a.guess < 0)
                continue;
            a.guess = (a.guess + 1) % int(std::size(guesses));
            guessed(d, a);
            if (a.guess != 0)
                break;
        }
        if (i < 0)
            return *firstFailure;
    }
}

QString signature(const TargetDialect& d, const QList<Argument>& arguments) {
    QStringList list;
    for (const Argument& a : arguments)
        list << QString::fromLatin1(d.routines->argumentMode) + quoteName(d, QStringLiteral("p_") + a.name) +
                    QLatin1Char(' ') + a.type;
    return QLatin1Char('(') + list.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// A column of the rows a PostgreSQL function returns: the SELECT's value is cast to it on return.
QString returnedType(ValueType type) {
    switch (type) {
    case ValueType::Boolean:
        return QStringLiteral("boolean");
    case ValueType::Integer:
        return QStringLiteral("bigint");
    case ValueType::Exact:
        return QStringLiteral("numeric");
    case ValueType::Float:
        return QStringLiteral("double precision");
    case ValueType::Date:
        return QStringLiteral("timestamp");
    case ValueType::Text:
    case ValueType::Unknown:
        return QStringLiteral("text");
    case ValueType::Other:
        break;
    }
    return QString();
}

std::variant<NotTranslated, RoutineText> routine(const TargetDialect& d, const QString& name,
                                                 const QList<Argument>& arguments, const QString& body,
                                                 const QList<ViewColumn>* rows) {
    const QString routineName = quoteName(d, name);
    RoutineText out;
    out.function = rows && d.routines->rowsFunction;
    const QString bodyQuote = QString::fromLatin1(d.routines->bodyQuote);
    if (bodyQuote.isEmpty()) {
        out.text = QStringLiteral("DROP PROCEDURE IF EXISTS %1;").arg(routineName) + CRLF +
                   QStringLiteral("CREATE PROCEDURE %1%2").arg(routineName, signature(d, arguments)) + CRLF +
                   body + QLatin1Char(';') + CRLF;
        return out;
    }
    if (body.contains(bodyQuote))
        return NotTranslated{QStringLiteral("the text %1 in the query").arg(bodyQuote), QString()};
    if (!out.function) {
        out.text = QStringLiteral("CREATE OR REPLACE PROCEDURE %1%2 LANGUAGE sql AS %3")
                       .arg(routineName, signature(d, arguments), bodyQuote) +
                   CRLF + body + CRLF + bodyQuote + QLatin1Char(';') + CRLF;
        return out;
    }
    QStringList columns;
    QStringList types;
    for (const ViewColumn& c : *rows) {
        const QString type = returnedType(c.type);
        if (type.isEmpty())
            return NotTranslated{
                QStringLiteral("a column of a type a function cannot return (%1)").arg(c.accessName),
                QString()};
        columns << quoteName(d, c.name) + QLatin1Char(' ') + type;
    }
    for (const Argument& a : arguments)
        types << a.type;
    // A function of the same name and arguments may return other rows: CREATE OR REPLACE cannot change them.
    out.text =
        QStringLiteral("DROP FUNCTION IF EXISTS %1(%2);").arg(routineName, types.join(QStringLiteral(", "))) +
        CRLF +
        QStringLiteral("CREATE OR REPLACE FUNCTION %1%2 RETURNS TABLE(%3) LANGUAGE sql STABLE AS %4")
            .arg(routineName, signature(d, arguments), columns.join(QStringLiteral(", ")), bodyQuote) +
        CRLF + body + CRLF + bodyQuote + QLatin1Char(';') + CRLF;
    return out;
}

} // namespace

bool holdsRoutines(const TargetDialect& dialect) {
    return dialect.routines != nullptr;
}

bool asksForValues(const NotTranslated& failure) {
    return failure.reason == QLatin1String("parameter query") || failure.reason.startsWith(asksFor) ||
           failure.reason.startsWith(formField);
}

std::variant<NotTranslated, RoutineText> queryRoutine(const AccessQuery& query, const QString& name,
                                                      const TargetDialect& dialect,
                                                      const QuerySchema& schema) {
    QList<Argument> arguments;
    if (query.action) {
        const auto body = withArguments(query, dialect, schema, arguments, [&](const QuerySchema& s) {
            return actionStatement(query, dialect, s);
        });
        if (const auto* no = std::get_if<NotTranslated>(&body))
            return *no;
        return routine(dialect, name, arguments, std::get<QString>(body), nullptr);
    }
    const auto select = withArguments(query, dialect, schema, arguments, [&](const QuerySchema& s) {
        return translateQuery(query, dialect, s);
    });
    if (const auto* no = std::get_if<NotTranslated>(&select))
        return *no;
    const TranslatedQuery& rows = std::get<TranslatedQuery>(select);
    return routine(dialect, name, arguments, rows.select, &rows.columns);
}
