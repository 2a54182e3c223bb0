#include "TargetDialect.h"

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
