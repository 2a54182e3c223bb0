#pragma once
// A whole text written to standard output or, atomically, to a file.

#include <QByteArray>
#include <QString>
#include <optional>

// Nothing when the text is written, else the system's reason why not. An empty outputFile is standard
// output; a file is written beside its place and renamed over it, so a failed run never leaves half of it.
std::optional<QString> writeText(const QByteArray& text, const QString& outputFile);
