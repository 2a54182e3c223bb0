#include "QuerySql.h"

#include "DateLiterals.h"

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
    const std::optional<DateLiteral> literal = readDateLiteral(text);
    if (!literal)
        return QString();
    return QString::fromUtf8(d.functions->operators.timestamp)
        .arg(literal->date.toString(QStringLiteral("yyyy-MM-dd")),
             literal->time.toString(QStringLiteral("HH:mm:ss")));
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
