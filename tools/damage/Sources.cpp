#include "Sources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "MdbTestCorpus.h"
#include "MdbWriter.h"

namespace {

bool isDatabaseName(const QString& name) {
    return name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".accdb"), Qt::CaseInsensitive);
}

} // namespace

QList<SourceDatabase> loadSources(const QStringList& paths, QString* error) {
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const QDir folder(path);
            for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
                if (isDatabaseName(name))
                    files << folder.filePath(name);
            }
        } else {
            files << path;
        }
    }
    QList<SourceDatabase> sources;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(path);
            return {};
        }
        sources.append(SourceDatabase{QFileInfo(path).fileName(), path, file.readAll(), false});
    }
    return sources;
}

QList<SourceDatabase> generatedSources() {
    QList<SourceDatabase> sources;
    for (const MdbTestDatabase& database : mdbTestCorpus()) {
        const auto bytes = buildMdb(database.schema, nullptr);
        if (!bytes)
            continue;
        sources.append(SourceDatabase{
            QString::fromStdString(database.name) + QStringLiteral(".mdb"), QStringLiteral("generated"),
            QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())), true});
    }
    return sources;
}
