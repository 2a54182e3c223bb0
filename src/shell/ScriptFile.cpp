#include "ScriptFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QString SuggestedScriptPath(const QString& databasePath) {
    const QString trimmed = databasePath.trimmed();
    if (trimmed.isEmpty())
        return QDir::current().filePath(QStringLiteral("script.sql"));
    const QFileInfo database(trimmed);
    const QString name =
        database.completeBaseName().isEmpty() ? QStringLiteral("script") : database.completeBaseName();
    return database.absoluteDir().filePath(name + QStringLiteral(".sql"));
}

std::optional<QString> WriteScriptFile(const QString& path, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    // A short write (a full disk) would be committed as a success unless the flush is checked first.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return std::nullopt;
    const QString reason = file.errorString();
    file.cancelWriting();
    return QStringLiteral("The script could not be saved to %1:\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}
