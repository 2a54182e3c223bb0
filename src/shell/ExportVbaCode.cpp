// File > "Export VBA Code...": the VBA modules of the database in the path box, and objects.txt listing its
// forms, reports, macros, modules and pages, written into a folder the user chooses (CodeExport.h). The
// project is read by the window's reader process and nothing of it is run; what could not be read is said
// in a message afterwards.

#include "CodeExport.h"
#include "MessageBox.h"
#include "ReaderProcess.h"
#include "frmMain.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

namespace {

QString askForFolder(QWidget* parent, const QString& offered) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Export VBA Code"), offered);
}

} // namespace

void frmMain::setFolderDialog(FolderDialog dialog) {
    folderDialog = std::move(dialog);
}

void frmMain::addExportVbaCode(QMenu* file, QAction* before) {
    mnuExportCode = new QAction(QStringLiteral("Export VBA Code..."), file);
    mnuExportCode->setObjectName(QStringLiteral("mnuExportCode"));
    file->insertAction(before, mnuExportCode);
    connect(mnuExportCode, &QAction::triggered, this, &frmMain::mnuExportCode_Click);
    if (!folderDialog)
        folderDialog = askForFolder;
}

void frmMain::mnuExportCode_Click() {
    if (running)
        return;
    const QString path = txtPath->text();
    if (path.trimmed().isEmpty()) {
        ShowMessageBox(this, QStringLiteral("You must select a DB first. Exiting..."));
        return;
    }
    const QString folder = folderDialog(this, QFileInfo(path).absolutePath());
    if (folder.isEmpty())
        return;
    running = true;
    setRunControlsEnabled(false);
    std::string password = passwordForRun(path);
    // A window given a reader (tests) has no reader process; the code is read by one made here.
    ReaderProcess ownReader;
    ReaderProcess& reader = readerProcess ? *readerProcess : ownReader;
    reader.setPassword(password);
    std::fill(password.begin(), password.end(), '\0');
    const auto answer = reader.ReadProjectCode(path);
    reader.setPassword({});
    setRunControlsEnabled(true);
    running = false;
    QStringList messages;
    if (const auto* failure = std::get_if<ReadFailure>(&answer)) {
        messages << failure->description;
    } else {
        const ProjectCode& code = std::get<ProjectCode>(answer);
        const CodeExportOutcome outcome = writeProjectCode(code, folder);
        messages << outcome.warnings;
        if (!outcome.unwritten.isEmpty())
            messages << QStringLiteral("Cannot write %1: %2").arg(outcome.unwritten, outcome.unwrittenReason);
        else
            messages << (code.modules.size() == 1 ? QStringLiteral("1 module")
                                                  : QStringLiteral("%1 modules").arg(code.modules.size())) +
                            QStringLiteral(" and objects.txt written to ") + folder;
    }
    ShowMessageBox(this, messages.join(QLatin1Char('\n')));
    if (closeAfterRun)
        close();
}
