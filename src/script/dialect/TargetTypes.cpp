#include "TargetTypes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Access's own limits stand in where the schema does not say: Text holds up to 255 characters, Binary up to
// 510 bytes, and a Decimal without precision is the default 18,0.
int textLength(const ColumnDefinition& c) {
    return c.size > 0 ? c.size : 255;
}
int binaryLength(const ColumnDefinition& c) {
    return c.size > 0 ? c.size : 510;
}

// The type texts of a server's rows made once, so that the columns of a large schema share them.
const QString& typeText(const TargetDialect& dialect, const TypeRow& row) {
    static const auto texts = [] {
        std::array<std::vector<QString>, 4> made;
        for (const TargetDialect* d :
             {&sqlServerDialect(), &postgreSqlDialect(), &mySqlDialect(), &sqliteDialect()})
            for (const TypeRow& r : d->types)
                made[std::size_t(d->target)].push_back(QString::fromLatin1(r.text));
        return made;
    }();
    return texts[std::size_t(dialect.target)][std::size_t(&row - dialect.types.data())];
}

// A calculated Decimal whose result precision the file does not give.
bool widestDecimal(int jetType, const ColumnDefinition& c) {
    return jetType == int(JetType::Decimal) && c.calculated && c.precision <= 0;
}

} // namespace

std::optional<TargetType> targetType(const TargetDialect& dialect, int jetType, const ColumnDefinition& c) {
    if (jetType == int(JetType::Complex) || c.complexType != ComplexType::None)
        return std::nullopt;
    const auto row = std::find_if(dialect.types.begin(), dialect.types.end(),
                                  [jetType](const TypeRow& r) { return int(r.type) == jetType; });
    if (row == dialect.types.end())
        return TargetType{QString::fromLatin1(dialect.unknownType.text), dialect.unknownType.form,
                          dialect.unknownType.longValue, false, false};
    QString text =
        widestDecimal(jetType, c) ? QString::fromLatin1(dialect.widestDecimal) : typeText(dialect, *row);
    if (text.contains(QLatin1Char('{'))) {
        const int precision = c.precision > 0 ? c.precision : 18;
        text.replace(QLatin1String("{n}"),
                     QString::number(jetType == int(JetType::Binary) ? binaryLength(c) : textLength(c)));
        text.replace(QLatin1String("{p}"), QString::number(precision));
        text.replace(QLatin1String("{s}"), QString::number(std::clamp(c.scale, 0, precision)));
    }
    return TargetType{text, row->form, row->longValue,
                      jetType == int(JetType::Text) || jetType == int(JetType::Memo)};
}
