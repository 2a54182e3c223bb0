#include "TargetDialect.h"

#include <algorithm>

const TargetDialect* completeScriptDialect(const QString& scriptType) {
    for (const TargetDialect* dialect :
         {&sqlServerDialect(), &postgreSqlDialect(), &mySqlDialect(), &sqliteDialect()})
        if (dialect->scriptType == scriptType)
            return dialect;
    return nullptr;
}

void appendQuotedName(QString& text, const TargetDialect& dialect, const QString& name) {
    text += dialect.openQuote;
    if (name.contains(dialect.closeQuote))
        text += QString(name).replace(dialect.closeQuote, QString(2, dialect.closeQuote));
    else
        text += name;
    text += dialect.closeQuote;
}

QString quoteName(const TargetDialect& dialect, const QString& name) {
    QString quoted;
    quoted.reserve(name.size() + 2);
    appendQuotedName(quoted, dialect, name);
    return quoted;
}

QString stringLiteral(const TargetDialect& dialect, const QString& text) {
    QString escaped = text;
    if (dialect.backslashEscapes)
        escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString keptName(const TargetDialect& dialect, const QString& name) {
    if (!dialect.basicPlaneOnly ||
        std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSurrogate(); }))
        return name;
    QString kept;
    for (const char32_t c : name.toUcs4()) {
        if (c > 0xFFFF)
            kept += QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        else
            kept += QChar(char16_t(c));
    }
    return kept;
}
