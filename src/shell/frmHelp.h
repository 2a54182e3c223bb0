#pragma once
// The Help window: shows the help file as plain text and prints it. It reads the file when it is created
// (its load), tells the user "Help file missing" when there is none, and deletes itself when closed.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QTextEdit;

// Asks the user for a printer and returns it ready to print, or nothing when the dialog was cancelled.
// hasSelection tells whether text is selected (the dialog then opens with its range set to the selection).
using PrinterChooser = std::function<std::unique_ptr<QPrinter>(QWidget* parent, bool hasSelection)>;

// Where the help file is looked for, in order: beside the executable, then the data folder of the prefix
// the executable is installed in, the XDG data folders, and the data folder the build was configured for.
QStringList helpFileCandidates();

class frmHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmHelp(QWidget* parent = nullptr);

    // Replaces Qt's print dialog, e.g. with one that prints to a PDF file without asking.
    void setPrinterChooser(PrinterChooser chooser);

public slots:
    void mnuExit_Click();
    void mnuPrint_Click();

private:
    void loadHelpFile();

    QAction* mnuExit = nullptr;
    QAction* mnuPrint = nullptr;
    QTextEdit* txtHelp = nullptr;
    PrinterChooser choosePrinter;
};
