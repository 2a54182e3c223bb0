#pragma once
// The VBA code of an Access application written as text files in a folder, as the VBA editor exports them:
// NAME.bas for a standard module, NAME.cls for a class module and for the module behind a form or report
// (Form_NAME.cls, Report_NAME.cls), in UTF-8 with CR LF; and objects.txt, a line for every form, report,
// macro, module and data access page with its kind, and for those with code the module's file, its lines
// and procedures. A macro kept as XML (Access 2010 and later) is written as Macro_NAME.xml, in UTF-8 as
// stored, and objects.txt names its file; other macros are listed by name alone. File names are made safe
// and unique as for CSV files (safeFileName).

#include "ProjectCode.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

struct ModuleCounts {
    int lines = 0;      // the code's lines, the Attribute lines not counted (as Access counts them)
    int procedures = 0; // Sub, Function and Property procedures
    bool operator==(const ModuleCounts&) const = default;
};

ModuleCounts countModule(const QString& source);

// The module's file as the VBA editor writes it: a class or document module starts with its VERSION and
// BEGIN ... END block, then come the Attribute lines the editor exports, then the code.
QByteArray moduleFileText(const CodeModule& module);

// The file of each module and of each macro, by name, and the whole of objects.txt for them.
QByteArray objectsText(const ProjectCode& code, const QHash<QString, QString>& fileOfModule,
                       const QHash<QString, QString>& fileOfMacro = {});

struct CodeExportOutcome {
    QStringList files;       // written, objects.txt last
    QString unwritten;       // the file or folder that could not be written; empty when every one was
    QString unwrittenReason; // the system's reason for it
    QStringList warnings;    // the project's, and each module the catalog names that has no file
};

CodeExportOutcome writeProjectCode(const ProjectCode& code, const QString& folder);
