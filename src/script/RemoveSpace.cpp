#include "RemoveSpace.h"

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

} // namespace

QString RemoveSpace(QString& Strin, const ConversionOptions& options) {
    std::u32string text = Strin.toStdU32String();
    cleanPass(text, options.StripSpaces, isSpace);
    if (options.ModifyIllegalCharacters)
        cleanPass(text, options.StripSpaces, isIllegal);
    // After the space pass no space is left, so the rewritten argument is the result itself.
    Strin = QString::fromStdU32String(text);
    return Strin;
}
