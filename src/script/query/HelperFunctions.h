#pragma once
// The helper functions of the script's own (FunctionSpellings.h): a call of one as the translation writes it,
// and the statements that create, before the first view, those the views call.

#include "TargetDialect.h"

#include <QStringList>

// Whether the server gets helper functions at all.
bool hasHelpers(const TargetDialect& dialect);

// A call of the helper with the arguments: "veltrane.round_even(x, 2)". A translation that writes one uses
// the helper: the views' text says which helpers the script creates.
QString helperCall(const TargetDialect& dialect, Helper helper, const QStringList& args);

// The statements creating each helper the text calls, once each, lines joined by CR LF and each statement
// ended: empty where it calls none.
QString helperDefinitions(const TargetDialect& dialect, const QString& text);
