#include "AssessmentReport.h"

#include "AssessDatabase.h"
#include "AssessmentHtml.h"
#include "DatabaseFiles.h"
#include "MessageBox.h"
#include "ReaderProcess.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The database in the box, else a folder the user chooses; nothing when the choice is cancelled.
QString assessedPath(QWidget* window, const QString& box) {
    const QFileInfo typed(box.trimmed());
    if (!box.trimmed().isEmpty() && typed.exists())
        return typed.filePath();
    return QFileDialog::getExistingDirectory(window, QStringLiteral("Assessment Report: Folder of Databases"),
                                             typed.absolutePath());
}

Assessment assess(const QString& path) {
    QStringList notFound;
    const QStringList files = databaseFiles({path}, notFound);
    ReaderProcess reader;
    Assessment assessment;
    for (const QString& missing : notFound)
        assessment << missingDatabase(missing);
    for (const QString& file : files) {
        assessment << assessDatabase(file, reader);
        // The window paints between databases.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return assessment;
}

// Nothing when the page is written, else why not.
std::optional<QString> writePage(const QString& file, const QByteArray& page) {
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(page) == page.size() && out.flush() && out.commit())
        return std::nullopt;
    const QString reason = out.errorString();
    out.cancelWriting();
    return reason;
}

void showReport(QWidget* window, const QString& box) {
    const QString path = assessedPath(window, box);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Assessment assessment = assess(path);
    QApplication::restoreOverrideCursor();
    if (assessment.isEmpty()) {
        ShowMessageBox(
            window, QStringLiteral("No .mdb or .accdb file is in %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QString file = QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
                         QStringLiteral("/%1-assessment.html").arg(QFileInfo(path).completeBaseName());
    if (const auto failure = writePage(file, assessmentHtml(assessment).toUtf8())) {
        ShowMessageBox(window, QStringLiteral("The assessment report could not be written to %1: %2")
                                   .arg(QDir::toNativeSeparators(file), *failure));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        ShowMessageBox(window,
                       QStringLiteral("The assessment report is written to %1, but no browser could be "
                                      "started to show it.")
                           .arg(QDir::toNativeSeparators(file)));
}

} // namespace

QAction* addAssessmentReport(QWidget* window, QMenu* menu, QAction* before, QLineEdit* pathBox) {
    auto* item = new QAction(QStringLiteral("Assessment Report..."), menu);
    item->setObjectName(QStringLiteral("mnuAssess"));
    menu->insertAction(before, item);
    QObject::connect(item, &QAction::triggered, window,
                     [window, pathBox] { showReport(window, pathBox->text()); });
    return item;
}
