#include "HelperFunctions.h"

#include <vector>

namespace {

const char* helperName(Helper helper) {
    switch (helper) {
    case Helper::RoundEven:
        return "round_even";
    case Helper::RoundEvenFloat:
        return "round_even_float";
    case Helper::ValSigned:
        return "val_signed";
    case Helper::ValText:
        return "val_text";
    case Helper::Val:
        return "val";
    }
    return "";
}

QString qualified(const TargetDialect& d, Helper helper) {
    return QLatin1String(d.functions->helperPrefix) + QLatin1String(helperName(helper));
}

} // namespace

bool hasHelpers(const TargetDialect& dialect) {
    return dialect.functions && dialect.functions->helperPrefix;
}

QString helperCall(const TargetDialect& dialect, Helper helper, const QStringList& args) {
    return qualified(dialect, helper) + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString helperDefinitions(const TargetDialect& dialect, const QString& text) {
    if (!hasHelpers(dialect))
        return QString();
    const auto helpers = dialect.functions->helpers;
    // A name followed by "(" outside a quoted name is a call (one inside a string literal only makes the
    // script create a helper no view needs). A helper may call others: those come before it in the server's
    // list.
    std::vector<bool> used(helpers.size(), false);
    QString calling = text;
    for (bool more = true; more;) {
        more = false;
        for (std::size_t i = 0; i < helpers.size(); ++i)
            if (!used[i] && calling.contains(qualified(dialect, helpers[i].helper) + QLatin1Char('('),
                                             Qt::CaseInsensitive)) {
                used[i] = more = true;
                calling += QString::fromUtf8(helpers[i].text);
            }
    }
    const QString CRLF = QStringLiteral("\r\n");
    QString out;
    for (std::size_t i = 0; i < helpers.size(); ++i) {
        if (!used[i])
            continue;
        if (out.isEmpty() && dialect.functions->helperSetup)
            out += QLatin1String(dialect.functions->helperSetup) + CRLF;
        out += QString::fromUtf8(helpers[i].text).replace(QLatin1Char('\n'), CRLF) + CRLF;
    }
    return out;
}
