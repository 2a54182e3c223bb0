#include "frmMain.h"

#include "Centring.h"
#include "ControlPlacement.h"
#include "ConversionRun.h"
#include "MessageBox.h"
#include "OneRequestReader.h"
#include "ReaderProcess.h"
#include "RunInputGuard.h"
#include "Settings.h"
#include "ShowSingle.h"
#include "frmAbout.h"
#include "frmHelp.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <type_traits>
#include <variant>

namespace {

// The client area below the menu bar, in twips.
constexpr int clientWidthTwips = 8325;
constexpr int clientHeightTwips = 8430;

// One control of the main window: the member that holds it (its type is the control's kind), its name, the
// frame it sits in (none: the client area), its caption and where it goes.
template <typename Widget> using Member = Widget* frmMain::*;
using ControlMember =
    std::variant<Member<QLabel>, Member<QGroupBox>, Member<QRadioButton>, Member<QCheckBox>,
                 Member<QComboBox>, Member<QLineEdit>, Member<QPushButton>, Member<QPlainTextEdit>>;
struct ControlRow {
    ControlMember control;
    const char* name;
    Member<QGroupBox> frame;
    const char* caption;
    TwipsBox twips;
};

// The window's one combo box, cboSQLType. Made editable as it is created, so that its text box takes its
// place in the focus chain right behind it.
void offerScriptTypes(QComboBox* box) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The classic scripts first, then the complete scripts that load into a server as they are.
    box->addItems({QStringLiteral("Access SQL"), QStringLiteral("T-SQL"), QStringLiteral("SQL Server"),
                   QStringLiteral("PostgreSQL"), QStringLiteral("MySQL"), QStringLiteral("SQLite")});
    box->setEditText(QStringLiteral("Access SQL"));
}

QString askForDatabase(QWidget* parent, const QString& lastChosen) {
    return QFileDialog::getOpenFileName(parent, QString(), lastChosen,
                                        QStringLiteral("Access dB Files (*.mdb *.accdb);;All Files (*)"));
}

} // namespace

frmMain::frmMain(SchemaReader* reader) : openFileDialog(askForDatabase), givenReader(reader) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Veltrane"));
    // A single fixed border: a close box but no maximize or minimize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // The layout was drawn for an 8 point sans-serif font; the system's own sans-serif at that size keeps
    // the captions within it.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    setFont(font);

    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    setCentralWidget(client);
    buildMenu();
    buildControls(client);
    orderTabs();
    addDesktopHabits();
    // The permission boxes follow "Create Permissions" from the start, whatever the settings then change.
    chkCrePer_Click();

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    centreOnScreen(*this);
    cmdGenSQL->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    // "Generat" is the menu item's own spelling; it stays as it is.
    mnuGen = mnuFile->addAction(QStringLiteral("Generat SQL"));
    mnuGen->setObjectName(QStringLiteral("mnuGen"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuln1"));
    mnuExit = mnuFile->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    QMenu* mnuHe = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHe->setObjectName(QStringLiteral("mnuHe"));
    mnuHelp = mnuHe->addAction(QStringLiteral("Help With Veltrane"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHe->addAction(QStringLiteral("About Veltrane"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    connect(mnuGen, &QAction::triggered, this, &frmMain::cmdGenSQL_Click);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

void frmMain::buildControls(QWidget* parent) {
    // Every control as the window was laid out, with its rectangle in twips, in the order the controls are
    // made (their stacking order).
    // clang-format off
    static const ControlRow rows[] = {
        {&frmMain::Label3, "Label3", nullptr, "Veltrane Script generator", {1965, 0}},
        {&frmMain::Frame1, "Frame1", nullptr, "General Options", {120, 480, 3975, 2655}},
        {&frmMain::optStrip_, "optStrip", &frmMain::Frame1, "Strip Spaces From Field Names",
         {120, 360, 2655, 195}},
        {&frmMain::optChange_, "optChange", &frmMain::Frame1, "Change Spaces to Underscores",
         {120, 600, 2775, 195}},
        // "Illeal Charaters" is the caption users know; it stays as it is.
        {&frmMain::chkStripIll, "chkStripIll", &frmMain::Frame1, "Modify Illeal Charaters In Field Names",
         {360, 840, 3015, 195}},
        {&frmMain::chkCreatePK, "chkCreatePK", &frmMain::Frame1, "Create Constraint For Primary Key",
         {120, 1080, 2775, 255}},
        {&frmMain::chkIndex, "chkIndex", &frmMain::Frame1, "Create Indexes On Fields",
         {120, 1320, 2175, 195}},
        {&frmMain::chkGO, "chkGO", &frmMain::Frame1, "Create GO Statement", {120, 1560, 1935, 195}},
        {&frmMain::chkMS, "chkMS", &frmMain::Frame1, "Include MS Tables", {120, 1800, 1695, 195}},
        {&frmMain::cboSQLType, "cboSQLType", &frmMain::Frame1, "", {120, 2160, 1575, 315}},
        {&frmMain::Label4, "Label4", &frmMain::Frame1, "Out Script Type", {1800, 2220}},
        {&frmMain::Frame2, "Frame2", nullptr, "Security Options", {4200, 480, 3975, 2175}},
        {&frmMain::chkCrePer, "chkCrePer", &frmMain::Frame2, "Create Permissions", {600, 360, 1695, 195}},
        {&frmMain::chkSel, "chkSel", &frmMain::Frame2, "SELECT", {840, 600, 975, 195}},
        {&frmMain::chkIns, "chkIns", &frmMain::Frame2, "INSERT", {840, 840, 975, 195}},
        {&frmMain::chkDel, "chkDel", &frmMain::Frame2, "DELETE", {840, 1080, 975, 195}},
        {&frmMain::chkUp, "chkUp", &frmMain::Frame2, "UPDATE", {840, 1320, 975, 195}},
        {&frmMain::Label1, "Label1", &frmMain::Frame2, "Users", {120, 1680}},
        {&frmMain::txtUserNames, "txtUserNames", &frmMain::Frame2, "", {600, 1680, 3135, 285}},
        {&frmMain::cmdGenSQL, "cmdGenSQL", nullptr, "Gen SQL", {4440, 2760, 1575, 375}},
        {&frmMain::cmdExit, "cmdExit", nullptr, "Exit", {6360, 2760, 1575, 375}},
        {&frmMain::Label2, "Label2", nullptr, "Access DB", {120, 3240}},
        {&frmMain::txtPath, "txtPath", nullptr, "", {120, 3480, 7575, 285}},
        {&frmMain::cmdBrowse, "cmdBrowse", nullptr, "...", {7800, 3495, 375, 255}},
        {&frmMain::lblOut, "lblOut", nullptr, "", {120, 3960}},
        {&frmMain::txtSQL, "txtSQL", nullptr, "", {120, 4200, 8055, 4095}},
    };
    // clang-format on
    for (const ControlRow& row : rows) {
        QWidget* container = row.frame == nullptr ? parent : this->*row.frame;
        std::visit(
            [&](auto member) {
                using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
                Widget* widget = makeControl<Widget>(QString::fromUtf8(row.caption), container);
                widget->setObjectName(QLatin1String(row.name));
                placeControl(widget, row.twips);
                if constexpr (std::is_same_v<Widget, QComboBox>)
                    offerScriptTypes(widget);
                this->*member = widget;
            },
            row.control);
    }

    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    titleFont.setPointSizeF(13.5);
    titleFont.setBold(true);
    Label3->setFont(titleFont);
    Label3->adjustSize();
    optChange_->setChecked(true);
    QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixedFont.setPointSize(9);
    txtSQL->setFont(fixedFont);
    txtSQL->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSQL->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtSQL->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const std::array<QCheckBox*, 10> checks{chkStripIll, chkCreatePK, chkIndex, chkGO,  chkMS,
                                            chkCrePer,   chkSel,      chkIns,   chkDel, chkUp};
    storedChecks = checks;
    for (QCheckBox* box : storedChecks) {
        box->setTristate(true);
    }
    for (QCheckBox* box : {chkStripIll, chkCreatePK, chkIndex, chkSel, chkIns, chkDel, chkUp}) {
        box->setCheckState(Qt::Checked);
    }

    // The state signal fires only on a real change, whether by a click or by the program.
    connect(chkCrePer, &QCheckBox::stateChanged, this, &frmMain::chkCrePer_Click);
    connect(cmdGenSQL, &QPushButton::clicked, this, &frmMain::cmdGenSQL_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmMain::cmdBrowse_Click);
    connect(txtSQL, &QPlainTextEdit::textChanged, this, [this] {
        if (!changingScript) {
            // Edited by hand: from now on the box itself is the script.
            scriptExact = false;
            script.clear();
            shownLength = 0;
        }
    });
}

void frmMain::orderTabs() {
    QWidget* const order[] = {cmdGenSQL,   txtSQL,   optStrip_,  optChange_,   chkCreatePK,
                              chkStripIll, chkIndex, chkGO,      txtUserNames, chkUp,
                              chkDel,      chkIns,   chkSel,     chkCrePer,    cmdExit,
                              cmdBrowse,   txtPath,  cboSQLType, chkMS};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    for (QWidget* passive :
         std::initializer_list<QWidget*>{Frame1, Frame2, Label1, Label2, Label3, Label4, lblOut}) {
        passive->setFocusPolicy(Qt::NoFocus);
    }
}

void frmMain::setOpenFileDialog(OpenFileDialog dialog) {
    openFileDialog = std::move(dialog);
}

// --- events -----------------------------------------------------------------------------------------------

void frmMain::cmdGenSQL_Click() {
    if (running) {
        return;
    }
    running = true;
    const QPointer<QWidget> focused = QApplication::focusWidget();
    // Asked before the run's input guard, which would drop the dialog's input.
    const std::string password = passwordForRun(readOptions().DatabasePath);
    if (readerProcess) {
        readerProcess->setPassword(password);
    }
    {
        RunInputGuard guard;
        inputGuard = &guard;
        setRunControlsEnabled(false);
        sinceLastPaint.invalidate(); // the first caption shows at once
        ::cmdGenSQL_Click(*this, engine());
        if (wholeSchemaReader) {
            wholeSchemaReader->forget();
        }
        // The run's last caption and script, and whatever input came during the run, which is dropped.
        showPending();
        RunInputGuard::processEventsDroppingInput();
        setRunControlsEnabled(true);
        inputGuard = nullptr;
    }
    if (readerProcess) {
        readerProcess->setPassword({});
    }
    running = false;
    if (closeAfterRun) {
        close();
        return;
    }
    if (focused && focused->isEnabled() && focused->window() == this) {
        focused->setFocus();
    }
}

void frmMain::cmdBrowse_Click() {
    // Cancelling keeps the name chosen before, so a cancel after a choice puts that choice back.
    const QString chosen = openFileDialog(this, browseStart());
    if (!chosen.isEmpty()) {
        CD1FileName = chosen;
    }
    if (CD1FileName.isEmpty()) {
        ShowMessageBox(this, QStringLiteral("No file selected"));
        return;
    }
    txtPath->setText(CD1FileName);
}

void frmMain::chkCrePer_Click() {
    const bool enabled = chkCrePer->checkState() == Qt::Checked;
    for (QWidget* control : std::initializer_list<QWidget*>{chkSel, chkIns, chkDel, chkUp, txtUserNames}) {
        control->setEnabled(enabled);
    }
}

void frmMain::mnuHelp_Click() {
    showSingle(help, this);
}

void frmMain::mnuAbout_Click() {
    showSingle(about, this);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (running) {
        // The run ends before its next table (stopRequested) and the window closes right after it.
        closeAfterRun = true;
        event->ignore();
        return;
    }
    SaveSettings(*this);
    if (help) {
        help->close();
    }
    if (about) {
        about->close();
    }
    event->accept();
    emit unloaded();
}

SchemaReader& frmMain::engine() {
    if (givenReader != nullptr) {
        return *givenReader;
    }
    if (!readerProcess) {
        readerProcess = std::make_unique<ReaderProcess>();
        // Reading a large schema takes a while: the window paints meanwhile, and a close gives up the read.
        readerProcess->setWaitHook([this] {
            if (!running) {
                return false;
            }
            paintNow();
            return closeAfterRun;
        });
        wholeSchemaReader = std::make_unique<OneRequestReader>(*readerProcess);
    }
    return *wholeSchemaReader;
}

std::string frmMain::passwordForRun(const QString& path) {
    engine();
    if (!readerProcess) {
        return {};
    }
    readerProcess->setPassword({});
    return PasswordForRun(this, *readerProcess, path, passwordDialog);
}

// --- window operations ------------------------------------------------------------------------------------

ConversionOptions frmMain::readOptions() {
    ConversionOptions options;
    options.DatabasePath = txtPath->text();
    options.IncludeSystemTables = isNotOff(check(StoredCheck::chkMS));
    options.ScriptType = cboSQLType->currentText();
    options.CreateGo = isOn(check(StoredCheck::chkGO));
    options.CreateIndexes = isOn(check(StoredCheck::chkIndex));
    options.CreatePrimaryKey = isOn(check(StoredCheck::chkCreatePK));
    options.ModifyIllegalCharacters = isOn(check(StoredCheck::chkStripIll));
    options.StripSpaces = optStrip_->isChecked();
    options.CreatePermissions = isOn(check(StoredCheck::chkCrePer));
    options.GrantSelect = isOn(check(StoredCheck::chkSel));
    options.GrantInsert = isOn(check(StoredCheck::chkIns));
    options.GrantDelete = isOn(check(StoredCheck::chkDel));
    options.GrantUpdate = isOn(check(StoredCheck::chkUp));
    options.UserNames = txtUserNames->text();
    return options;
}

void frmMain::uncheckCreatePermissions() {
    setCheck(StoredCheck::chkCrePer, CheckState::Unchecked);
}

void frmMain::showMessage(const QString& text) {
    if (closeAfterRun) {
        return; // the window is closing: a read given up for it is nothing to tell
    }
    if (inputGuard == nullptr) {
        ShowMessageBox(this, text);
        return;
    }
    // The window behind the box shows where the run stands; the box itself takes the user's answer.
    showPending();
    const RunInputGuard::Pause answer(*inputGuard);
    ShowMessageBox(this, text);
}

bool frmMain::stopRequested() {
    return closeAfterRun;
}

// --- settings controls ------------------------------------------------------------------------------------

bool frmMain::optStrip() const {
    return optStrip_->isChecked();
}

void frmMain::setOptStrip(bool selected) {
    setOption(optStrip_, selected);
}

bool frmMain::optChange() const {
    return optChange_->isChecked();
}

void frmMain::setOptChange(bool selected) {
    setOption(optChange_, selected);
}

CheckState frmMain::check(StoredCheck box) const {
    return fromQt(storedChecks[static_cast<std::size_t>(box)]->checkState());
}

void frmMain::setCheck(StoredCheck box, CheckState state) {
    storedChecks[static_cast<std::size_t>(box)]->setCheckState(toQt(state));
}

QString frmMain::userNames() const {
    return txtUserNames->text();
}

void frmMain::setUserNames(const QString& text) {
    txtUserNames->setText(text);
}

QString frmMain::path() const {
    return txtPath->text();
}

void frmMain::setPath(const QString& text) {
    txtPath->setText(text);
}
