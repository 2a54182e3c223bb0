#include "TextCase.h"

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
        if (type)
            c.type.text = QString::fromLatin1(type);
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
