#include "DefaultValues.h"

#include <QRegularExpression>

namespace {

bool isNumeric(int jetType) {
    switch (JetType(jetType)) {
    case JetType::Byte:
    case JetType::Integer:
    case JetType::Long:
    case JetType::BigInt:
    case JetType::Currency:
    case JetType::Decimal:
    case JetType::Single:
    case JetType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<QString> literalDefault(const TargetDialect& dialect, int jetType, const TargetType& type,
                                      QString value) {
    value = value.trimmed();
    if (value.startsWith(QLatin1Char('=')))
        value = value.mid(1).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    std::optional<QString> quoted;
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front()) {
        const QChar quote = value.front();
        QString inner = value.mid(1, value.size() - 2);
        if (!QString(inner).remove(QString(2, quote)).contains(quote))
            quoted = inner.replace(QString(2, quote), QString(quote));
    }
    const QString word = value.toLower();
    std::optional<bool> truth;
    if (word == QLatin1String("true") || word == QLatin1String("yes") || word == QLatin1String("on"))
        truth = true;
    else if (word == QLatin1String("false") || word == QLatin1String("no") || word == QLatin1String("off"))
        truth = false;

    if (jetType == int(JetType::Boolean)) {
        if (!truth && number.match(value).hasMatch())
            truth = value.toDouble() != 0;
        if (truth)
            return *truth ? dialect.trueLiteral : dialect.falseLiteral;
        return std::nullopt;
    }
    if (isNumeric(jetType)) {
        if (quoted && number.match(*quoted).hasMatch())
            return *quoted;
        if (number.match(value).hasMatch())
            return value;
        return std::nullopt;
    }
    if (jetType == int(JetType::Text) || jetType == int(JetType::Memo)) {
        std::optional<QString> text = quoted;
        if (!text && number.match(value).hasMatch())
            text = value;
        if (!text)
            return std::nullopt;
        const QString literal = stringLiteral(dialect, *text);
        // Some servers take a default on a long text only as an expression.
        return dialect.longDefaultsAsExpressions && type.longValue
                   ? QLatin1Char('(') + literal + QLatin1Char(')')
                   : literal;
    }
    return std::nullopt;
}
