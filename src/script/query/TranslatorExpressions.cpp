#include "Translator.h"

namespace querytranslation {

Sql Translator::condition(const Expr& e) {
    const Sql x = expr(e);
    if (!error_.isEmpty())
        return {};
    const SqlOrReason c = conditionOf(d_, x);
    if (const QString* why = std::get_if<QString>(&c)) {
        fail(*why);
        return {};
    }
    return std::get<Sql>(c);
}

Sql Translator::expr(const Expr& e) {
    if (!error_.isEmpty())
        return {};
    if (depth_ > 200) {
        fail(QStringLiteral("an expression nested too deeply"));
        return {};
    }
    ++depth_;
    Sql sql = exprAtDepth(e);
    --depth_;
    return sql;
}

Sql Translator::exprAtDepth(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Number: {
        const bool real =
            e.text.contains(QLatin1Char('.')) || e.text.contains(QLatin1Char('E'), Qt::CaseInsensitive);
        return simpleSql(e.text, real ? ValueType::Float : ValueType::Integer, true);
    }
    case ExprKind::Text:
        return simpleSql(textLiteral(d_, e.text), ValueType::Text, true);
    case ExprKind::Date: {
        const QString literal = dateLiteral(d_, e.text);
        if (literal.isEmpty())
            fail(QStringLiteral("the date #%1#").arg(e.text));
        return simpleSql(literal, ValueType::Date, true);
    }
    case ExprKind::Boolean:
        return simpleSql(e.truth ? d_.trueLiteral : d_.falseLiteral, ValueType::Boolean, true);
    case ExprKind::Null:
        return simpleSql(QStringLiteral("NULL"), ValueType::Unknown, false);
    case ExprKind::Star:
        fail(QStringLiteral("* where a value is expected"));
        return {};
    case ExprKind::Subquery: {
        const SelectText inner = subselect(e.subquery.front());
        if (!error_.isEmpty())
            return {};
        if (e.text == QLatin1String("EXISTS"))
            return made(QStringLiteral("EXISTS (%1)").arg(inner.text), ValueType::Boolean, true, true);
        if (inner.columns.size() != 1)
            fail(QStringLiteral("a subquery of more than one column"));
        return simpleSql(QLatin1Char('(') + inner.text + QLatin1Char(')'), inner.columns.value(0).type,
                         false);
    }
    case ExprKind::Name:
        return name(e);
    case ExprKind::Unary: {
        if (e.text == QLatin1String("NOT")) {
            const Sql x = condition(e.args[0]);
            return made(QStringLiteral("NOT ") + operand(x), ValueType::Boolean, x.notNull, true);
        }
        const Sql x = value(e.args[0]);
        if (e.text == QLatin1String("+") && x.type == ValueType::Text)
            return x; // + of a text is the text
        if (error_.isEmpty() && !numeric(x.type))
            fail(QStringLiteral("%1 of a value that is not a number").arg(e.text));
        return made(e.text + operand(x), x.type, x.notNull);
    }
    case ExprKind::Binary:
        return binary(e);
    case ExprKind::Between: {
        const Sql x = value(e.args[0]);
        const Sql low = value(e.args[1]);
        const Sql high = value(e.args[2]);
        if (error_.isEmpty() && (!sameKind(x.type, low.type) || !sameKind(x.type, high.type)))
            fail(QStringLiteral("compares values of two types"));
        // Texts are compared without regard to case, as Access compares them (see textComparison).
        const bool texts =
            x.type == ValueType::Text && low.type == ValueType::Text && high.type == ValueType::Text;
        const OperatorSpellings& o = d_.functions->operators;
        const bool lower = texts && o.lowerComparedTexts;
        const auto side = [&](const Sql& v) {
            return lower ? QStringLiteral("LOWER(%1)").arg(v.text) : operand(v);
        };
        const QString left =
            texts && o.noCaseCollation ? operand(x) + QLatin1String(o.noCaseCollation) : side(x);
        return made(QStringLiteral("%1 %2BETWEEN %3 AND %4")
                        .arg(left, e.negated ? QStringLiteral("NOT ") : QString(), side(low), side(high)),
                    ValueType::Boolean, x.notNull && low.notNull && high.notNull, true);
    }
    case ExprKind::In: {
        const Sql x = value(e.args[0]);
        if (!e.subquery.empty()) {
            const SelectText inner = subselect(e.subquery.front(), true);
            if (error_.isEmpty() && inner.columns.size() != 1)
                fail(QStringLiteral("a subquery of more than one column"));
            return made(QStringLiteral("%1 %2IN (%3)")
                            .arg(operand(x), e.negated ? QStringLiteral("NOT ") : QString(), inner.text),
                        ValueType::Boolean, false, true);
        }
        QList<Sql> values;
        bool texts = x.type == ValueType::Text;
        for (std::size_t i = 1; i < e.args.size(); ++i) {
            values << value(e.args[i]);
            texts = texts && values.last().type == ValueType::Text;
            if (error_.isEmpty() && !sameKind(x.type, values.last().type))
                fail(QStringLiteral("compares values of two types"));
        }
        // Texts are found without regard to case, as Access finds them (see textComparison).
        const OperatorSpellings& o = d_.functions->operators;
        const bool lower = texts && o.lowerComparedTexts;
        QStringList items;
        for (const Sql& v : values)
            items << (lower ? QStringLiteral("LOWER(%1)").arg(v.text) : v.text);
        const QString left = lower                        ? QStringLiteral("LOWER(%1)").arg(x.text)
                             : texts && o.noCaseCollation ? operand(x) + QLatin1String(o.noCaseCollation)
                                                          : operand(x);
        return made(
            QStringLiteral("%1 %2IN (%3)")
                .arg(left, e.negated ? QStringLiteral("NOT ") : QString(), items.join(QStringLiteral(", "))),
            ValueType::Boolean, false, true);
    }
    case ExprKind::IsNull: {
        const Sql x = value(e.args[0]);
        return made(operand(x) + (e.negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL")),
                    ValueType::Boolean, true, true);
    }
    case ExprKind::Call: {
        if (std::optional<Sql> domain = domainCall(e))
            return *domain;
        QList<Sql> args;
        for (const Expr& a : e.args)
            args << (a.kind == ExprKind::Star ? simpleSql(QStringLiteral("*"), ValueType::Unknown, true)
                                              : expr(a));
        if (!error_.isEmpty())
            return {};
        const SqlOrReason r = translateCall(d_, e, args);
        if (const QString* why = std::get_if<QString>(&r)) {
            fail(*why);
            return {};
        }
        return std::get<Sql>(r);
    }
    }
    return {};
}

} // namespace querytranslation
