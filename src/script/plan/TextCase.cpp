#include "TextCase.h"

#include <QRegularExpression>

namespace {

// The most characters a type such as "varchar(50)" holds; 0 for a type without a length.
int declaredLength(const QString& type) {
    static const QRegularExpression sized(QStringLiteral("^\\w[\\w ]*\\((\\d+)\\)$"));
    const QRegularExpressionMatch m = sized.match(type);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

void applyTextCase(const TargetDialect& d, TextCase textCase, TablePlan& table) {
    const TextCaseSpellings& s = d.textCase;
    const char* type = textCase == TextCase::Insensitive ? s.insensitiveType : nullptr;
    const char* clause = textCase == TextCase::Insensitive ? s.insensitiveClause
                         : textCase == TextCase::Sensitive ? s.sensitiveClause
                                                           : nullptr;
    if (!type && !clause)
        return;
    for (ColumnPlan& c : table.columns) {
        if (!c.written || c.type.form != ValueForm::Text)
            continue;
        if (type) {
            // A type of its own (citext) has no length: a CHECK keeps the Text column's.
            if (const int length = declaredLength(c.type.text))
                c.checks
                    << QStringLiteral("CHECK (char_length(%1) <= %2)").arg(quoteName(d, c.name)).arg(length);
            c.type.text = QString::fromLatin1(type);
        }
        if (clause)
            c.type.text += QLatin1String(clause);
    }
    for (TablePlan& child : table.children)
        applyTextCase(d, textCase, child);
}

QString textCaseSetup(const TargetDialect& d, TextCase textCase) {
    return textCase == TextCase::Insensitive && d.textCase.insensitiveSetup
               ? QString::fromLatin1(d.textCase.insensitiveSetup)
               : QString();
}
