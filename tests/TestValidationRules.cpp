#include "ValidationRules.h"

#include <QByteArray>
#include <QMap>
#include <QTest>

namespace {

// A tree written with every operation in parentheses, names in brackets and texts in double quotes.
QString written(const Expr& e) {
    const auto list = [](const std::vector<Expr>& args, std::size_t from) {
        QStringList out;
        for (std::size_t i = from; i < args.size(); ++i)
            out << written(args[i]);
        return out.join(QStringLiteral(", "));
    };
    const QString no = e.negated ? QStringLiteral("NOT ") : QString();
    switch (e.kind) {
    case ExprKind::Number:
        return e.text;
    case ExprKind::Text:
        return QLatin1Char('"') + e.text + QLatin1Char('"');
    case ExprKind::Date:
        return QLatin1Char('#') + e.text + QLatin1Char('#');
    case ExprKind::Boolean:
        return e.truth ? QStringLiteral("True") : QStringLiteral("False");
    case ExprKind::Null:
        return QStringLiteral("Null");
    case ExprKind::Name:
        return QLatin1Char('[') + e.parts.join(QStringLiteral("].[")) + QLatin1Char(']');
    case ExprKind::Unary:
        return QStringLiteral("(%1 %2)").arg(e.text, written(e.args[0]));
    case ExprKind::Binary:
        return QStringLiteral("(%1 %2 %3)").arg(written(e.args[0]), e.text, written(e.args[1]));
    case ExprKind::Between:
        return QStringLiteral("(%1 %2BETWEEN %3 AND %4)")
            .arg(written(e.args[0]), no, written(e.args[1]), written(e.args[2]));
    case ExprKind::In:
        return QStringLiteral("(%1 %2IN (%3))").arg(written(e.args[0]), no, list(e.args, 1));
    case ExprKind::IsNull:
        return QStringLiteral("(%1 IS %2NULL)").arg(written(e.args[0]), no);
    case ExprKind::Call:
        return QStringLiteral("%1(%2)").arg(e.text, list(e.args, 0));
    case ExprKind::Star:
    case ExprKind::Subquery:
        break;
    }
    return QStringLiteral("?");
}

// One value from its spelling in a row: "null", or a kind and the value: i:5 (Integer), f:0.5 (Double),
// c:10000 (Currency in ten-thousandths), dec:0.01 (Decimal), d:2.5 (DateTime in days), t:abc (Text),
// b:1 (Boolean). Texts and decimal digits are kept in store, which the values' bytes point into.
DataValue dataValue(const QString& spelling, QList<QByteArray>& store) {
    if (spelling == QLatin1String("null"))
        return {};
    const QString kind = spelling.section(QLatin1Char(':'), 0, 0);
    const QString value = spelling.section(QLatin1Char(':'), 1);
    DataValue v;
    if (kind == QLatin1String("t") || kind == QLatin1String("dec")) {
        store.append(value.toUtf8());
        v.kind = kind == QLatin1String("t") ? ValueKind::Text : ValueKind::Decimal;
        v.bytes = std::string_view(store.back().constData(), std::size_t(store.back().size()));
    } else if (kind == QLatin1String("f") || kind == QLatin1String("d")) {
        v.kind = kind == QLatin1String("f") ? ValueKind::Double : ValueKind::DateTime;
        v.real = value.toDouble();
    } else {
        v.kind = kind == QLatin1String("i")   ? ValueKind::Integer
                 : kind == QLatin1String("c") ? ValueKind::Currency
                                              : ValueKind::Boolean;
        v.integer = value.toLongLong();
    }
    return v;
}

void addRead(const char* name, const char* rule, const char* column, const char* expected) {
    QTest::addRow("%s", name) << QString::fromUtf8(rule) << QString::fromUtf8(column)
                              << QString::fromUtf8(expected);
}

void addEvaluation(const char* name, const char* rule, const char* column, const char* values,
                   const char* expected) {
    QTest::addRow("%s", name) << QString::fromUtf8(rule) << QString::fromUtf8(column)
                              << QString::fromUtf8(values) << QString::fromUtf8(expected);
}

constexpr double nowDays = 45000.75; // 2023-03-15 18:00

} // namespace

class TestValidationRules : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void evaluates_data();
    void evaluates();
};

void TestValidationRules::reads_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected"); // the condition written out, or "failure: " and the reason

    addRead(">=0", ">=0", "Qty", "([Qty] >= 0)");
    addRead("<>''", "<>''", "Name", "([Name] <> \"\")");
    addRead("between", "Between 0 And 1", "Rate", "([Rate] BETWEEN 0 AND 1)");
    addRead("date", ">=#1/1/1900#", "Born", "([Born] >= #1/1/1900#)");
    addRead("today", "<Date()", "Born", "([Born] < Date())");
    addRead("texts", "\"F\" Or \"M\"", "Sex", "(([Sex] = \"F\") OR ([Sex] = \"M\"))");
    addRead("numbers", "30 Or 60 Or 90", "Days", "((([Days] = 30) OR ([Days] = 60)) OR ([Days] = 90))");
    addRead("range", ">3 And <100", "Qty", "(([Qty] > 3) AND ([Qty] < 100))");
    addRead("null or", "Is Null Or >0", "Qty", "(([Qty] IS NULL) OR ([Qty] > 0))");
    addRead("is not null", "Is Not Null", "Qty", "([Qty] IS NOT NULL)");
    addRead("like", "Like \"[A-Z]*\"", "Code", "([Code] LIKE \"[A-Z]*\")");
    addRead("not like", "Not Like \"a*\"", "Code", "(NOT ([Code] LIKE \"a*\"))");
    addRead("not value", "Not \"x\"", "Code", "(NOT ([Code] = \"x\"))");
    addRead("in", "In (\"a\",\"b\")", "Code", "([Code] IN (\"a\", \"b\"))");
    addRead("not in", "Not In (1,2)", "Qty", "(NOT ([Qty] IN (1, 2)))");
    addRead("parentheses", ">0 And (<10 Or =20)", "Qty", "(([Qty] > 0) AND (([Qty] < 10) OR ([Qty] = 20)))");
    addRead("named column", "[Qty]>0", "Qty", "([Qty] > 0)");
    addRead("named, not like", "[Code] Not Like \"a*\"", "Code", "(NOT ([Code] LIKE \"a*\"))");
    addRead("function", "Len([Code])>0", "Code", "(Len([Code]) > 0)");
    addRead("table rule", "[Start]<=[End]", "", "([Start] <= [End])");
    addRead("table, no column", ">0", "", "failure: > where a value was expected");
    addRead("lone operator", ">", "Qty", "failure: the end where a value was expected");
    addRead("open string", "\"F\" Or \"M", "Sex", "failure: a string without its closing quote");
    addRead("between without and", "Between 1", "Qty", "failure: the end where AND was expected");
    addRead("text after", ">0 1", "Qty", "failure: the text after the expression's end (1)");
    addRead("subquery", "In (SELECT ID FROM T)", "Qty", "failure: a subquery in a validation rule");
    addRead("empty", "  ", "Qty", "failure: an empty validation rule");
}

void TestValidationRules::reads() {
    QFETCH(QString, rule);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    const auto parsed = parseValidationRule(rule, column);
    const QString got = std::holds_alternative<Expr>(parsed)
                            ? written(std::get<Expr>(parsed))
                            : QStringLiteral("failure: ") + std::get<ParseFailure>(parsed).reason;
    QCOMPARE(got, expected);
}

void TestValidationRules::evaluates_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("values"); // column=value;column=value, each value as dataValue spells it
    QTest::addColumn<QString>("expected");

    addEvaluation(">=0, 0", ">=0", "Qty", "Qty=i:0", "Holds");
    addEvaluation(">=0, -1", ">=0", "Qty", "Qty=i:-1", "Breaks");
    addEvaluation(">=0, NULL passes", ">=0", "Qty", "Qty=null", "Holds");
    addEvaluation(">0, currency", ">0", "Amt", "Amt=c:1", "Holds");
    addEvaluation(">0, currency 0", ">0", "Amt", "Amt=c:0", "Breaks");
    addEvaluation(">0, decimal 0.00", ">0", "Amt", "Amt=dec:0.00", "Breaks");
    addEvaluation(">0, decimal", ">0", "Amt", "Amt=dec:0.01", "Holds");
    addEvaluation(">0, text", ">0", "Amt", "Amt=t:5", "Unknown");
    addEvaluation("between, in", "Between 0 And 1", "Rate", "Rate=f:0.5", "Holds");
    addEvaluation("between, end", "Between 0 And 1", "Rate", "Rate=i:1", "Holds");
    addEvaluation("between, out", "Between 0 And 1", "Rate", "Rate=f:1.5", "Breaks");
    addEvaluation("between, reversed", "Between 1 And 0", "Rate", "Rate=f:1.5", "Unknown");
    addEvaluation("date literal, before", ">=#1/1/1900#", "Born", "Born=d:1", "Breaks");
    addEvaluation("date literal, on", ">=#1/1/1900#", "Born", "Born=d:2", "Holds");
    addEvaluation("Date(), yesterday", "<Date()", "Born", "Born=d:44999.9", "Holds");
    addEvaluation("Date(), today", "<Date()", "Born", "Born=d:45000.5", "Breaks");
    addEvaluation("Now()", "<=Now()", "Born", "Born=d:45000.5", "Holds");
    addEvaluation("texts, case", "\"F\" Or \"M\"", "Sex", "Sex=t:f", "Holds");
    addEvaluation("texts, trailing spaces", "\"F\" Or \"M\"", "Sex", "Sex=t:M  ", "Holds");
    addEvaluation("texts, other", "\"F\" Or \"M\"", "Sex", "Sex=t:X", "Breaks");
    addEvaluation("texts, NULL", "\"F\" Or \"M\"", "Sex", "Sex=null", "Holds");
    addEvaluation("numbers, one", "30 Or 60 Or 90", "Days", "Days=i:60", "Holds");
    addEvaluation("numbers, none", "30 Or 60 Or 90", "Days", "Days=i:45", "Breaks");
    addEvaluation("range, low end", ">3 And <100", "Qty", "Qty=i:3", "Breaks");
    addEvaluation("range, within", ">3 And <100", "Qty", "Qty=f:3.5", "Holds");
    addEvaluation("null or, NULL", "Is Null Or >0", "Qty", "Qty=null", "Holds");
    addEvaluation("null or, negative", "Is Null Or >0", "Qty", "Qty=i:-2", "Breaks");
    addEvaluation("is not null", "Is Not Null", "Qty", "Qty=null", "Breaks");
    addEvaluation("empty text", "<>''", "Name", "Name=t:", "Breaks");
    addEvaluation("spaces as empty text", "<>''", "Name", "Name=t:  ", "Breaks");
    addEvaluation("like, lower case", "Like \"[A-Z]*\"", "Code", "Code=t:abc", "Holds");
    addEvaluation("like, digit first", "Like \"[A-Z]*\"", "Code", "Code=t:1abc", "Breaks");
    addEvaluation("like, accent", "Like \"[A-Z]*\"", "Code", "Code=t:\u00c9mile", "Unknown");
    addEvaluation("like, # and ?", "Like \"##-???\"", "Code", "Code=t:12-abc", "Holds");
    addEvaluation("like, # not a digit", "Like \"##-???\"", "Code", "Code=t:1x-abc", "Breaks");
    addEvaluation("like, [!0-9]", "Like \"[!0-9]*\"", "Code", "Code=t:9", "Breaks");
    addEvaluation("like, open [", "Like \"[a*\"", "Code", "Code=t:a", "Unknown");
    addEvaluation("in, case", "In (\"a\",\"b\")", "Code", "Code=t:B", "Holds");
    addEvaluation("in, none", "In (\"a\",\"b\")", "Code", "Code=t:c", "Breaks");
    addEvaluation("not in", "Not In (1,2)", "Qty", "Qty=i:1", "Breaks");
    addEvaluation("text order", ">\"M\"", "Name", "Name=t:n", "Holds");
    addEvaluation("text order, accent", ">\"M\"", "Name", "Name=t:\u00c9mile", "Unknown");
    addEvaluation("hyphen ignored?", "=\"coop\"", "Name", "Name=t:co-op", "Unknown");
    addEvaluation("len, empty", "Len([Code])>0", "Code", "Code=t:", "Breaks");
    addEvaluation("len, NULL", "Len([Code])>0", "Code", "Code=null", "Holds");
    addEvaluation("text functions", "UCase(Left(Trim([Code]),2))=\"AB\"", "Code", "Code=t: abc", "Holds");
    addEvaluation("Mid", "Mid([Code],2,1)=\"b\"", "Code", "Code=t:xyz", "Breaks");
    addEvaluation("Year", "Year([Born])>=2000", "Born", "Born=d:36525", "Breaks");
    addEvaluation("Mod", "[Qty] Mod 2 = 0", "Qty", "Qty=i:4", "Holds");
    addEvaluation("unknown function", "Format([Qty],\"0\")=\"1\"", "Qty", "Qty=i:1", "Unknown");
    addEvaluation("table, holds", "[Start]<=[End]", "", "Start=d:10;End=d:20", "Holds");
    addEvaluation("table, breaks", "[Start]<=[End]", "", "Start=d:20;End=d:10", "Breaks");
    addEvaluation("table, NULL", "[Start]<=[End]", "", "Start=null;End=d:10", "Holds");
    addEvaluation("table, unknown column", "[Start]<=[End]", "", "Start=d:10", "Unknown");
    addEvaluation("unknown column beside True", "[Start]<=[End] Or [Qty]>0", "", "Qty=i:1", "Unknown");
    addEvaluation("unknown function beside True", "Format([Qty],\"0\")=\"1\" Or [Qty]>0", "", "Qty=i:1",
                  "Holds");
    addEvaluation("NULL And False", "[a]>0 And [b]>0", "", "a=null;b=i:-1", "Breaks");
    addEvaluation("Yes/No", "[Active]=True Or [Qty]>0", "", "Active=b:1;Qty=i:0", "Holds");
    addEvaluation("Yes/No, false", "[Active] Or [Qty]>0", "", "Active=b:0;Qty=i:0", "Breaks");
    addEvaluation("numbers as bits", "[a] And [b]", "", "a=i:1;b=i:2", "Unknown");
}

void TestValidationRules::evaluates() {
    QFETCH(QString, rule);
    QFETCH(QString, column);
    QFETCH(QString, values);
    QFETCH(QString, expected);
    QList<QByteArray> store;
    QMap<QString, DataValue> row;
    for (const QString& item : values.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        row.insert(item.section(QLatin1Char('='), 0, 0), dataValue(item.section(QLatin1Char('='), 1), store));
    const auto parsed = parseValidationRule(rule, column);
    QVERIFY2(std::holds_alternative<Expr>(parsed), qPrintable(rule));
    const auto valueOf = [&row](const QString& name) -> std::optional<DataValue> {
        const auto it = row.constFind(name);
        return it == row.constEnd() ? std::nullopt : std::optional<DataValue>(*it);
    };
    const RuleOutcome outcome = evaluateRule(std::get<Expr>(parsed), valueOf, nowDays);
    const char* const names[] = {"Holds", "Breaks", "Unknown"};
    QCOMPARE(QString::fromLatin1(names[int(outcome)]), expected);
}

QTEST_APPLESS_MAIN(TestValidationRules)
#include "TestValidationRules.moc"
