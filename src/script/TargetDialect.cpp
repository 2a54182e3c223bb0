#include "TargetDialect.h"

const TargetDialect* completeScriptDialect(const QString& scriptType) {
    for (const TargetDialect* dialect :
         {&sqlServerDialect(), &postgreSqlDialect(), &mySqlDialect(), &sqliteDialect()})
        if (dialect->scriptType == scriptType)
            return dialect;
    return nullptr;
}

QString quoteName(const TargetDialect& dialect, const QString& name) {
    QString quoted;
    quoted.reserve(name.size() + 2);
    quoted.append(dialect.openQuote);
    if (name.contains(dialect.closeQuote))
        quoted.append(QString(name).replace(dialect.closeQuote, QString(2, dialect.closeQuote)));
    else
        quoted.append(name);
    quoted.append(dialect.closeQuote);
    return quoted;
}

QString stringLiteral(const TargetDialect& dialect, const QString& text) {
    QString escaped = text;
    if (dialect.backslashEscapes)
        escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}
