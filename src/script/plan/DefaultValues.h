#pragma once
// Access keeps a default value as the text of an expression. Numbers, quoted strings and the truth words are
// literals every server takes; anything else (=Now(), Date(), #1/1/2000#) is an Access expression.

#include "TargetDialect.h"
#include "TargetTypes.h"

#include <optional>

// The literal after DEFAULT for a column of this Jet type and target type; nullopt for an expression.
std::optional<QString> literalDefault(const TargetDialect& dialect, int jetType, const TargetType& type,
                                      QString value);
