#pragma once
// The main window: the conversion options, the database path, the buttons and menu items that start a
// conversion or end the program, and the script box the conversion run writes into. It gives the run its
// window operations and the settings store its fourteen control states. Closing it by any route saves the
// settings and emits unloaded(), on which the program ends.

#include "PasswordPrompt.h"
#include "SettingsControls.h"
#include "WindowOps.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class OneRequestReader;
class ReaderProcess;
class RunInputGuard;
class SchemaReader;
class frmAbout;
class frmHelp;

class frmMain : public QMainWindow, public WindowOps, public SettingsControls {
    Q_OBJECT
public:
    // The window's load: builds the controls and centres the window on its screen, without showing it.
    // With no reader given, the reader process (the engine) is started by the first conversion and kept
    // until the window goes, and each run reads the whole schema in one request; a reader given here (tests)
    // is used instead and stays the caller's.
    explicit frmMain(SchemaReader* reader = nullptr);
    ~frmMain() override;

    // The file-open dialog behind "...": given where to start (the path in the box, when its folder
    // exists, else the file chosen last, empty at first), returns the file the user chose, or an empty text
    // when the dialog was cancelled.
    using OpenFileDialog = std::function<QString(QWidget* parent, const QString& startAt)>;
    void setOpenFileDialog(OpenFileDialog dialog);

    // The save dialog behind "Save Script As...": given the file to offer, returns the file the user chose,
    // or an empty text when the dialog was cancelled.
    using SaveFileDialog = std::function<QString(QWidget* parent, const QString& offered)>;
    void setSaveFileDialog(SaveFileDialog dialog);
    // The folder chooser of File > Export VBA Code... (tests give their own): the chosen folder, or empty.
    using FolderDialog = std::function<QString(QWidget* parent, const QString& offered)>;
    void setFolderDialog(FolderDialog dialog);

    // The password dialog shown when the file in the box is encrypted (PasswordPrompt.h).
    void setPasswordDialog(PasswordDialog dialog) { passwordDialog = std::move(dialog); }

    // WindowOps
    ConversionOptions readOptions() override;
    void setScriptText(const QString& text) override;
    QString scriptText() override;
    void appendScript(const QString& piece) override;
    void repaintScript() override;
    void setProgress(const QString& caption) override;
    void uncheckCreatePermissions() override;
    void showMessage(const QString& text) override;
    bool stopRequested() override;

    // SettingsControls
    bool optStrip() const override;
    void setOptStrip(bool selected) override;
    bool optChange() const override;
    void setOptChange(bool selected) override;
    CheckState check(StoredCheck box) const override;
    void setCheck(StoredCheck box, CheckState state) override;
    QString userNames() const override;
    void setUserNames(const QString& text) override;
    QString path() const override;
    void setPath(const QString& text) override;

signals:
    // The settings are saved and the other windows closed; the program ends now.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(QWidget* client);
    void buildMenu();
    void orderTabs();
    // What a desktop user expects beyond the laid-out window: Save Script As, mnemonics and shortcuts,
    // Tab out of the script box, Return in the path box, dropped files (frmMainDesktop.cpp).
    void addDesktopHabits();
    bool takeDroppedFile(QEvent* event);
    void setRunControlsEnabled(bool enabled);
    QString browseStart() const;

    void cmdGenSQL_Click();
    void cmdBrowse_Click();
    void chkCrePer_Click();
    void mnuSaveAs_Click();
    void mnuSaveWithData_Click();
    void mnuMigrate_Click();
    // File > Export VBA Code...: the modules and objects.txt into a chosen folder (ExportVbaCode.cpp).
    void addExportVbaCode(QMenu* file, QAction* before);
    void mnuExportCode_Click();
    void enableSaveWithData();
    void mnuHelp_Click();
    void mnuAbout_Click();

    SchemaReader& engine();
    // The password for a run on path when the file is encrypted (asked for), else empty; always empty
    // with a reader given.
    std::string passwordForRun(const QString& path);
    void changeScript(const std::function<void()>& change);
    void paintNow();
    void showPending();
    void showPendingScript();
    void showPendingCaption();

    QWidget* client = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optStrip_ = nullptr;
    QRadioButton* optChange_ = nullptr;
    QCheckBox* chkStripIll = nullptr;
    QCheckBox* chkCreatePK = nullptr;
    QCheckBox* chkIndex = nullptr;
    QCheckBox* chkGO = nullptr;
    QCheckBox* chkMS = nullptr;
    QComboBox* cboSQLType = nullptr;
    QLabel* Label4 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* chkCrePer = nullptr;
    QCheckBox* chkSel = nullptr;
    QCheckBox* chkIns = nullptr;
    QCheckBox* chkDel = nullptr;
    QCheckBox* chkUp = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtUserNames = nullptr;
    QPushButton* cmdGenSQL = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtPath = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLabel* lblOut = nullptr;
    QPlainTextEdit* txtSQL = nullptr;

    QAction* mnuGen = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuSaveWithData = nullptr;
    QAction* mnuMigrate = nullptr;
    QAction* mnuExportCode = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    // The ten stored check boxes, indexed by StoredCheck.
    std::array<QCheckBox*, 10> storedChecks{};

    // The script exactly as the run wrote it (line breaks included), while the box still shows it unedited;
    // the box itself keeps only the lines. During a run the box is given what was written since the last
    // paint at the next one: shownLength is how much of the script it holds.
    QString script;
    qsizetype shownLength = 0;
    bool scriptExact = true;
    bool changingScript = false;

    // The progress caption, given to lblOut at the next paint during a run.
    QString caption;
    bool captionPending = false;

    // The file-open dialog and the file name it keeps between uses; the save dialog.
    OpenFileDialog openFileDialog;
    PasswordDialog passwordDialog = AskDatabasePassword;
    QString CD1FileName;
    SaveFileDialog saveFileDialog;
    FolderDialog folderDialog;

    SchemaReader* givenReader = nullptr;
    std::unique_ptr<ReaderProcess> readerProcess;
    std::unique_ptr<OneRequestReader> wholeSchemaReader;
    bool running = false;
    RunInputGuard* inputGuard = nullptr; // the running run's
    QElapsedTimer sinceLastPaint;
    bool closeAfterRun = false;

    QPointer<frmHelp> help;
    QPointer<frmAbout> about;
};
