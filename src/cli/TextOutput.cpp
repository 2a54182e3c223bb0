#include "TextOutput.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

std::optional<QString> writeText(const QByteArray& text, const QString& outputFile) {
    if (outputFile.isEmpty()) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(text) == text.size() && out.flush())
            return std::nullopt;
        return out.errorString();
    }
    QSaveFile file(outputFile);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() && file.commit())
        return std::nullopt;
    const QString reason = file.errorString(); // before cancelWriting, which puts its own in its place
    file.cancelWriting();
    return reason;
}
