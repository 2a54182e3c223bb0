#pragma once
// Identifier cleaning for T-SQL field names: spaces, and on request every character outside
// "#", "_", "0"-"9", "@", "A"-"Z" and "a"-"z", are deleted (strip mode) or become "_".

#include "ConversionOptions.h"

// Rewrites Strin in place and returns the cleaned text. A character is one Unicode code point.
QString RemoveSpace(QString& Strin, const ConversionOptions& options);
