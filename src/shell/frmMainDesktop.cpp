// The main window's desktop habits: what users of a desktop program expect of it beyond its laid-out
// controls, added without changing any of them.

#include "AssessmentReport.h"
#include "MessageBox.h"
#include "MigrateDialog.h"
#include "SaveWithData.h"
#include "ScriptFile.h"
#include "TargetDialect.h"
#include "frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

namespace {

QString askForScriptFile(QWidget* parent, const QString& offered) {
    return QFileDialog::getSaveFileName(parent, QString(), offered,
                                        QStringLiteral("SQL Scripts (*.sql);;All Files (*)"));
}

// The first local file among the dragged items; empty when the drag carries none (text, a web address).
QString localFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return QString();
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            return url.toLocalFile();
        }
    }
    return QString();
}

} // namespace

void frmMain::addDesktopHabits() {
    // Mnemonics: Alt+F and Alt+H open the menus, whose captions stay the same words.
    auto* mnuFile = menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* mnuHe = menuBar()->findChild<QMenu*>(QStringLiteral("mnuHe"));
    mnuFile->setTitle(QStringLiteral("&File"));
    mnuHe->setTitle(QStringLiteral("&Help"));

    // "Save Script As..." below "Generat SQL".
    QAction* mnuln1 = nullptr;
    for (QAction* item : mnuFile->actions()) {
        if (item->objectName() == QLatin1String("mnuln1")) {
            mnuln1 = item;
        }
    }
    mnuSaveAs = new QAction(QStringLiteral("Save Script As..."), mnuFile);
    mnuSaveAs->setObjectName(QStringLiteral("mnuSaveAs"));
    mnuSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFile->insertAction(mnuln1, mnuSaveAs);
    connect(mnuSaveAs, &QAction::triggered, this, &frmMain::mnuSaveAs_Click);
    // "Save Script with Data As..." below it, for the script types that take rows.
    mnuSaveWithData = new QAction(QStringLiteral("Save Script with Data As..."), mnuFile);
    mnuSaveWithData->setObjectName(QStringLiteral("mnuSaveWithData"));
    mnuFile->insertAction(mnuln1, mnuSaveWithData);
    connect(mnuSaveWithData, &QAction::triggered, this, &frmMain::mnuSaveWithData_Click);
    connect(cboSQLType, &QComboBox::currentTextChanged, this, &frmMain::enableSaveWithData);
    enableSaveWithData();
    // "Migrate to Server..." below that: the same rows straight into a server or a new SQLite file.
    mnuMigrate = new QAction(QStringLiteral("Migrate to Server..."), mnuFile);
    mnuMigrate->setObjectName(QStringLiteral("mnuMigrate"));
    mnuFile->insertAction(mnuln1, mnuMigrate);
    connect(mnuMigrate, &QAction::triggered, this, &frmMain::mnuMigrate_Click);
    addExportVbaCode(mnuFile, mnuln1);
    // "Assessment Report..." below that: what a migration of the database, or of a folder of them, would
    // meet.
    addAssessmentReport(this, mnuFile, mnuln1, txtPath);
    saveFileDialog = askForScriptFile;

    mnuHelp->setShortcut(QKeySequence(Qt::Key_F1));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(txtPath, &QLineEdit::returnPressed, this, &frmMain::cmdGenSQL_Click);

    // Tab moves on from the script box; Ctrl+Tab still writes a tab into it (eventFilter).
    txtSQL->setTabChangesFocus(true);
    txtSQL->installEventFilter(this);

    // The script type stays exactly as typed: no inline completion (which would turn "access sql" into
    // "Access SQL"), only a popup of the items that begin with the typed text in the same case, and no
    // case-insensitive match when editing ends.
    auto* completer = new QCompleter(cboSQLType->model(), cboSQLType);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    cboSQLType->setCompleter(completer);

    // A file dropped anywhere on the window goes into the path box, the edit boxes included, which would
    // otherwise take it as the text of its address.
    setAcceptDrops(true);
    for (QWidget* box :
         std::initializer_list<QWidget*>{txtPath, txtUserNames, txtSQL->viewport(), cboSQLType->lineEdit()}) {
        box->installEventFilter(this);
    }
}

void frmMain::setSaveFileDialog(SaveFileDialog dialog) {
    saveFileDialog = std::move(dialog);
}

void frmMain::mnuSaveAs_Click() {
    const QString target = saveFileDialog(this, SuggestedScriptPath(txtPath->text()));
    if (target.isEmpty()) {
        return;
    }
    // Exactly what the box shows, with the script's own CR LF line breaks.
    if (const std::optional<QString> failure = WriteScriptFile(target, scriptText())) {
        ShowMessageBox(this, *failure);
    }
}

void frmMain::mnuSaveWithData_Click() {
    const TargetDialect* dialect = completeScriptDialect(cboSQLType->currentText());
    if (running || dialect == nullptr) {
        return;
    }
    const ConversionOptions options = readOptions();
    if (options.DatabasePath.trimmed().isEmpty()) {
        ShowMessageBox(this, QStringLiteral("You must select a DB first. Exiting..."));
        return;
    }
    const QString target = saveFileDialog(this, SuggestedScriptPath(txtPath->text()));
    if (target.isEmpty()) {
        return;
    }
    running = true;
    setRunControlsEnabled(false);
    std::string password = passwordForRun(options.DatabasePath);
    const QStringList messages = SaveScriptWithData(this, *dialect, options, target, givenReader, password);
    std::fill(password.begin(), password.end(), '\0');
    setRunControlsEnabled(true);
    running = false;
    if (!messages.isEmpty()) {
        ShowMessageBox(this, messages.join(QLatin1Char('\n')));
    }
    if (closeAfterRun) {
        close();
    }
}

void frmMain::mnuMigrate_Click() {
    if (running) {
        return;
    }
    // Only the path: the classic check boxes are the classic scripts' options, and the dialog has its own.
    const QString path = txtPath->text();
    if (path.trimmed().isEmpty()) {
        ShowMessageBox(this, QStringLiteral("You must select a DB first. Exiting..."));
        return;
    }
    running = true;
    setRunControlsEnabled(false);
    MigrateDialog dialog(this, path, givenReader, passwordForRun(path));
    dialog.exec();
    setRunControlsEnabled(true);
    running = false;
    if (closeAfterRun) {
        close();
    }
}

void frmMain::enableSaveWithData() {
    mnuSaveWithData->setEnabled(!running && completeScriptDialect(cboSQLType->currentText()) != nullptr);
}

void frmMain::setRunControlsEnabled(bool enabled) {
    cmdGenSQL->setEnabled(enabled);
    mnuGen->setEnabled(enabled);
    mnuSaveAs->setEnabled(enabled);
    mnuSaveWithData->setEnabled(enabled && completeScriptDialect(cboSQLType->currentText()) != nullptr);
    mnuMigrate->setEnabled(enabled);
    mnuExportCode->setEnabled(enabled);
}

QString frmMain::browseStart() const {
    const QString typed = txtPath->text().trimmed();
    if (!typed.isEmpty()) {
        const QFileInfo info(typed);
        if (info.isDir() || info.absoluteDir().exists()) {
            return info.absoluteFilePath();
        }
    }
    return CD1FileName;
}

bool frmMain::takeDroppedFile(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = localFile(drop->mimeData());
    if (file.isEmpty()) {
        return false;
    }
    if (event->type() == QEvent::Drop) {
        setPath(file);
    }
    drop->acceptProposedAction();
    return true;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    takeDroppedFile(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
    takeDroppedFile(event);
}

void frmMain::dropEvent(QDropEvent* event) {
    takeDroppedFile(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return takeDroppedFile(event);
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == txtSQL && key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            txtSQL->insertPlainText(QStringLiteral("\t"));
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
