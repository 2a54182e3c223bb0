#pragma once
// The valid databases damaged copies are made from: files and folders named on the command line, and the
// small databases the project's own writer makes (when the build has it).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct SourceDatabase {
    QString name;   // file name of the copies, e.g. "every-type.mdb"
    QString origin; // the path it was read from, or "generated"
    QByteArray bytes;
    bool generated = false; // made by our own writer: its damaged copies may go into the repository
};

// Every .mdb and .accdb file named, or found directly inside a named folder, in name order. A path that
// cannot be read is named in *error.
QList<SourceDatabase> loadSources(const QStringList& paths, QString* error);

// The writer's test databases; empty when the build has no database writer.
QList<SourceDatabase> generatedSources();
