#include "DatabaseFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The folder's databases, then those of its folders, each list in name order (the patterns match
// in any case). Hidden files and folders are left out. Links to folders are not
// followed, so that a link back up never makes the search endless.
void searchFolder(const QString& folder, QStringList& files) {
    const QDir dir(folder);
    const QFileInfoList found =
        dir.entryInfoList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : found)
        files << file.filePath();
    for (const QFileInfo& sub :
         dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
        searchFolder(sub.filePath(), files);
}

} // namespace

QStringList databaseFiles(const QStringList& paths, QStringList& notFound) {
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists())
            notFound << path;
        else if (info.isDir())
            searchFolder(path, files);
        else
            files << path;
    }
    return files;
}
