#include "QuerySql.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

bool numeric(ValueType type) {
    return type == ValueType::Integer || type == ValueType::Exact || type == ValueType::Float;
}

bool sameKind(ValueType a, ValueType b) {
    return a == ValueType::Unknown || b == ValueType::Unknown || a == b || (numeric(a) && numeric(b));
}

QString textLiteral(const TargetDialect& d, const QString& text) {
    const QString literal = stringLiteral(d, text);
    return QLatin1String(d.functions->operators.textPrefix) + literal;
}

QString dateLiteral(const TargetDialect& d, const QString& text) {
    // Access reads #m/d/yyyy# whatever the locale, and #yyyy-mm-dd#; a time alone is on day zero. A year of
    // one or two digits is 2000-2029 for 0-29 and 1930-1999 for 30-99.
    static const QRegularExpression us(
        QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4}|\d{1,2})(?:\s+(.*))?$)"));
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:\s+(.*))?$)"));
    static const QRegularExpression clock(
        QStringLiteral(R"(^(\d{1,2}):(\d{2})(?::(\d{2}))?(?:\s*([AaPp][Mm]))?$)"));
    QDate date(1899, 12, 30);
    QString timeText = text.trimmed();
    if (const auto m = us.match(timeText); m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.capturedLength(3) <= 2)
            year += year < 30 ? 2000 : 1900;
        date = QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
        timeText = m.captured(4);
    } else if (const auto m2 = iso.match(timeText); m2.hasMatch()) {
        date = QDate(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
        timeText = m2.captured(4);
    } else if (!clock.match(timeText).hasMatch()) {
        return QString();
    }
    QTime time(0, 0, 0);
    if (!timeText.isEmpty()) {
        const auto t = clock.match(timeText.trimmed());
        if (!t.hasMatch())
            return QString();
        int hour = t.captured(1).toInt();
        const QString half = t.captured(4).toUpper();
        if (!half.isEmpty()) {
            if (hour < 1 || hour > 12)
                return QString();
            hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
        }
        time = QTime(hour, t.captured(2).toInt(), t.captured(3).toInt());
    }
    if (!date.isValid() || !time.isValid() || date.year() < 100)
        return QString();
    return QString::fromUtf8(d.functions->operators.timestamp)
        .arg(date.toString(QStringLiteral("yyyy-MM-dd")), time.toString(QStringLiteral("HH:mm:ss")));
}

QString operand(const Sql& sql) {
    return sql.simple ? sql.text : QLatin1Char('(') + sql.text + QLatin1Char(')');
}

Sql valueOf(const TargetDialect& d, const Sql& sql) {
    if (!sql.predicate || d.functions->operators.booleanConditions)
        return sql;
    Sql value = sql;
    value.text = QStringLiteral("CASE WHEN %1 THEN 1 WHEN NOT %1 THEN 0 END").arg(operand(sql));
    value.predicate = false;
    value.simple = false;
    return value;
}

SqlOrReason conditionOf(const TargetDialect& d, const Sql& sql) {
    if (sql.predicate)
        return sql;
    if (sql.type != ValueType::Boolean && !numeric(sql.type))
        return QStringLiteral("a condition that is not a Yes/No value");
    if (sql.type == ValueType::Boolean && d.functions->operators.booleanConditions)
        return sql;
    Sql condition = sql;
    condition.text = operand(sql) + QStringLiteral(" <> 0");
    condition.predicate = true;
    condition.simple = false;
    return condition;
}

QString castToText(const TargetDialect& d, const Sql& sql) {
    if (sql.type == ValueType::Text)
        return sql.text;
    return QString::fromUtf8(d.functions->operators.toText).arg(sql.text);
}

QString concatenated(const TargetDialect& d, const QStringList& parts) {
    const OperatorSpellings& o = d.functions->operators;
    return QString::fromUtf8(o.concatenation).arg(parts.join(QString::fromUtf8(o.concatenationSeparator)));
}
