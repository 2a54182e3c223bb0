#include "frmHelp.h"

#include "Centring.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

// The build passes both: the data folder as seen from the installed executable's folder, and as installed.
#ifndef VELTRANE_DATA_DIR_FROM_BIN
#define VELTRANE_DATA_DIR_FROM_BIN "../share/veltrane"
#endif
#ifndef VELTRANE_INSTALLED_DATA_DIR
#define VELTRANE_INSTALLED_DATA_DIR "/usr/local/share/veltrane"
#endif

namespace {

const QString helpFileName = QStringLiteral("help.txt");

// Client area 8190 x 7215 twips; the text box covers it but for its last column of twips.
constexpr int clientWidthTwips = 8190;
constexpr int clientHeightTwips = 7215;
constexpr int textWidthTwips = 8175;

// Hidden files and folders do not count as a help file.
bool isOrdinaryFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

std::unique_ptr<QPrinter> askForPrinter(QWidget* parent, bool hasSelection) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    if (hasSelection) {
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

} // namespace

QStringList helpFileCandidates() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    QStringList candidates{
        programFolder.filePath(helpFileName),
        QDir::cleanPath(
            programFolder.filePath(QStringLiteral(VELTRANE_DATA_DIR_FROM_BIN "/") + helpFileName)),
    };
    const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("veltrane/") + helpFileName);
    if (!located.isEmpty()) {
        candidates << located;
    }
    candidates << QStringLiteral(VELTRANE_INSTALLED_DATA_DIR "/") + helpFileName;
    return candidates;
}

frmHelp::frmHelp(QWidget* parent) : QWidget(parent, Qt::Tool), choosePrinter(askForPrinter) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Veltrane Help"));

    auto* menu = new QMenuBar(this);
    menu->setNativeMenuBar(false);
    mnuExit = menu->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuPrint = menu->addAction(QStringLiteral("Print"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    connect(mnuExit, &QAction::triggered, this, &frmHelp::mnuExit_Click);
    connect(mnuPrint, &QAction::triggered, this, &frmHelp::mnuPrint_Click);

    auto* client = new QWidget(this);
    client->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    txtHelp = new QTextEdit(client);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setGeometry(0, 0, twipsToPixels(textWidthTwips), twipsToPixels(clientHeightTwips));
    txtHelp->setReadOnly(true);
    txtHelp->setAcceptRichText(false);
    txtHelp->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    loadHelpFile();
}

void frmHelp::setPrinterChooser(PrinterChooser chooser) {
    choosePrinter = std::move(chooser);
}

void frmHelp::loadHelpFile() {
    for (const QString& path : helpFileCandidates()) {
        if (!isOrdinaryFile(path)) {
            continue;
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            txtHelp->setPlainText(QString::fromUtf8(file.readAll()));
            return;
        }
    }
    ShowMessageBox(parentWidget(), QStringLiteral("Help file missing"));
}

void frmHelp::mnuExit_Click() {
    close();
}

// Whatever the dialog's range says, a selection prints alone and no selection prints everything. A
// cancelled dialog or a printer that cannot be opened prints nothing and says nothing.
void frmHelp::mnuPrint_Click() {
    const QTextCursor cursor = txtHelp->textCursor();
    const bool hasSelection = cursor.hasSelection();
    const std::unique_ptr<QPrinter> printer = choosePrinter ? choosePrinter(this, hasSelection) : nullptr;
    if (!printer) {
        return;
    }
    if (!hasSelection) {
        txtHelp->document()->print(printer.get());
        return;
    }
    QTextDocument selection;
    selection.setDefaultFont(txtHelp->document()->defaultFont());
    selection.setPlainText(cursor.selection().toPlainText());
    selection.print(printer.get());
}
