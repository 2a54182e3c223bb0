#include "RemoveSpace.h"

#include <algorithm>
#include <functional>
#include <string>

namespace {

bool isSpace(char32_t c) {
    return c == U' ';
}

bool isIllegal(char32_t c) {
    const bool legal = c == U'#' || c == U'_' || (c >= U'0' && c <= U'9') || (c >= U'@' && c <= U'Z') ||
                       (c >= U'a' && c <= U'z');
    return !legal;
}

// One pass over the text: every character that is to go is deleted or replaced by "_", and every
// character of the text is examined exactly once.
void cleanPass(std::u32string& text, bool strip, const std::function<bool(char32_t)>& goes) {
    if (strip) {
        std::erase_if(text, goes);
        return;
    }
    for (char32_t& c : text) {
        if (goes(c))
            c = U'_';
    }
}

// Whether c goes in either pass: the space pass turns spaces into "_", which the illegal pass keeps, so
// both passes together delete or replace exactly the characters this names.
bool goesInEitherPass(char32_t c, const ConversionOptions& options) {
    return isSpace(c) || (options.ModifyIllegalCharacters && isIllegal(c));
}

} // namespace

QString RemoveSpace(QString& Strin, const ConversionOptions& options) {
    // Without surrogates every UTF-16 unit is one code point, so the text is cleaned unit by unit; the
    // usual name has nothing to clean and is returned as it came.
    const bool oneUnitPerCharacter =
        std::none_of(Strin.cbegin(), Strin.cend(), [](QChar unit) { return unit.isSurrogate(); });
    if (oneUnitPerCharacter) {
        const auto goes = [&options](QChar unit) { return goesInEitherPass(unit.unicode(), options); };
        auto first = std::find_if(Strin.cbegin(), Strin.cend(), goes);
        if (first == Strin.cend())
            return Strin;
        QString cleaned(Strin.size(), Qt::Uninitialized);
        QChar* out = cleaned.data();
        out = std::copy(Strin.cbegin(), first, out);
        for (auto unit = first; unit != Strin.cend(); ++unit) {
            if (!goes(*unit))
                *out++ = *unit;
            else if (!options.StripSpaces)
                *out++ = QLatin1Char('_');
        }
        cleaned.truncate(out - cleaned.constData());
        Strin = cleaned;
        return Strin;
    }
    std::u32string text = Strin.toStdU32String();
    cleanPass(text, options.StripSpaces, isSpace);
    if (options.ModifyIllegalCharacters)
        cleanPass(text, options.StripSpaces, isIllegal);
    // After the space pass no space is left, so the rewritten argument is the result itself.
    Strin = QString::fromStdU32String(text);
    return Strin;
}
