#include "frmMain.h"

#include "Centring.h"
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
#include <QTextCursor>

namespace {

// The client area below the menu bar, in twips.
constexpr int ClientWidth = 8325;
constexpr int ClientHeight = 8430;

// The shortest time between two paints of the window during a conversion run: one frame at 40 frames a
// second.
constexpr qint64 PaintIntervalMs = 25;

// A check box with the three states 0, 1 and 2 of which a click only ever produces 0 and 1: a checked box
// becomes unchecked, an unchecked or grayed one becomes checked (a grayed box is "not checked", so a click
// checks it, as an ordinary two-state box would).
class TwoWayCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

// Qt numbers the grayed state 1 and the checked state 2; the window's own numbering is the other way round.
Qt::CheckState toQt(CheckState state) {
    switch (state) {
    case CheckState::Checked:
        return Qt::Checked;
    case CheckState::Grayed:
        return Qt::PartiallyChecked;
    case CheckState::Unchecked:
        break;
    }
    return Qt::Unchecked;
}

CheckState fromQt(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return CheckState::Checked;
    case Qt::PartiallyChecked:
        return CheckState::Grayed;
    case Qt::Unchecked:
        break;
    }
    return CheckState::Unchecked;
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

template <typename Widget>
Widget* make(QWidget* parent, const char* name, const QString& caption = QString()) {
    auto* widget = new Widget(caption, parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <> QComboBox* make<QComboBox>(QWidget* parent, const char* name, const QString&) {
    auto* widget = new QComboBox(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <> QPlainTextEdit* make<QPlainTextEdit>(QWidget* parent, const char* name, const QString&) {
    auto* widget = new QPlainTextEdit(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Check boxes and option buttons keep their place. Where this system's fonts draw a caption wider than the
// box was laid out for, the box grows to the right; where they need more height, it grows downwards, but
// never past the 240 twips from one row of options to the next.
void placeButton(QWidget* button, const QRect& laidOut) {
    const int rowPitch = twipsToPixels(240);
    const QSize wanted = button->sizeHint();
    QRect area = laidOut;
    area.setWidth(std::max(laidOut.width(), wanted.width()));
    area.setHeight(std::max(laidOut.height(), std::min(wanted.height(), rowPitch)));
    button->setGeometry(area);
}

// Labels size themselves to their caption, from their top left corner.
void placeLabel(QLabel* label, int left, int top) {
    label->move(twipsToPixels(left), twipsToPixels(top));
    label->adjustSize();
}

void setOption(QRadioButton* button, bool selected) {
    if (selected) {
        button->setChecked(true); // clears the other button of the frame
        return;
    }
    // Clearing the selected button leaves neither selected, which an exclusive group would refuse.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
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
    client->setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
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
    Label3 = make<QLabel>(parent, "Label3", QStringLiteral("Veltrane Script generator"));
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    titleFont.setPointSizeF(13.5);
    titleFont.setBold(true);
    Label3->setFont(titleFont);
    placeLabel(Label3, 1965, 0);

    Frame1 = make<QGroupBox>(parent, "Frame1", QStringLiteral("General Options"));
    Frame1->setGeometry(twipsRect(120, 480, 3975, 2655));
    optStrip_ = make<QRadioButton>(Frame1, "optStrip", QStringLiteral("Strip Spaces From Field Names"));
    placeButton(optStrip_, twipsRect(120, 360, 2655, 195));
    optChange_ = make<QRadioButton>(Frame1, "optChange", QStringLiteral("Change Spaces to Underscores"));
    placeButton(optChange_, twipsRect(120, 600, 2775, 195));
    optChange_->setChecked(true);
    chkStripIll =
        make<TwoWayCheckBox>(Frame1, "chkStripIll", QStringLiteral("Modify Illeal Charaters In Field Names"));
    placeButton(chkStripIll, twipsRect(360, 840, 3015, 195));
    chkCreatePK =
        make<TwoWayCheckBox>(Frame1, "chkCreatePK", QStringLiteral("Create Constraint For Primary Key"));
    placeButton(chkCreatePK, twipsRect(120, 1080, 2775, 255));
    chkIndex = make<TwoWayCheckBox>(Frame1, "chkIndex", QStringLiteral("Create Indexes On Fields"));
    placeButton(chkIndex, twipsRect(120, 1320, 2175, 195));
    chkGO = make<TwoWayCheckBox>(Frame1, "chkGO", QStringLiteral("Create GO Statement"));
    placeButton(chkGO, twipsRect(120, 1560, 1935, 195));
    chkMS = make<TwoWayCheckBox>(Frame1, "chkMS", QStringLiteral("Include MS Tables"));
    placeButton(chkMS, twipsRect(120, 1800, 1695, 195));
    cboSQLType = make<QComboBox>(Frame1, "cboSQLType");
    cboSQLType->setEditable(true);
    cboSQLType->setInsertPolicy(QComboBox::NoInsert);
    cboSQLType->addItems({QStringLiteral("Access SQL"), QStringLiteral("T-SQL")});
    cboSQLType->setEditText(QStringLiteral("Access SQL"));
    cboSQLType->setGeometry(twipsRect(120, 2160, 1575, 315));
    Label4 = make<QLabel>(Frame1, "Label4", QStringLiteral("Out Script Type"));
    placeLabel(Label4, 1800, 2220);

    Frame2 = make<QGroupBox>(parent, "Frame2", QStringLiteral("Security Options"));
    Frame2->setGeometry(twipsRect(4200, 480, 3975, 2175));
    chkCrePer = make<TwoWayCheckBox>(Frame2, "chkCrePer", QStringLiteral("Create Permissions"));
    placeButton(chkCrePer, twipsRect(600, 360, 1695, 195));
    chkSel = make<TwoWayCheckBox>(Frame2, "chkSel", QStringLiteral("SELECT"));
    placeButton(chkSel, twipsRect(840, 600, 975, 195));
    chkIns = make<TwoWayCheckBox>(Frame2, "chkIns", QStringLiteral("INSERT"));
    placeButton(chkIns, twipsRect(840, 840, 975, 195));
    chkDel = make<TwoWayCheckBox>(Frame2, "chkDel", QStringLiteral("DELETE"));
    placeButton(chkDel, twipsRect(840, 1080, 975, 195));
    chkUp = make<TwoWayCheckBox>(Frame2, "chkUp", QStringLiteral("UPDATE"));
    placeButton(chkUp, twipsRect(840, 1320, 975, 195));
    Label1 = make<QLabel>(Frame2, "Label1", QStringLiteral("Users"));
    placeLabel(Label1, 120, 1680);
    txtUserNames = make<QLineEdit>(Frame2, "txtUserNames");
    txtUserNames->setGeometry(twipsRect(600, 1680, 3135, 285));

    cmdGenSQL = make<QPushButton>(parent, "cmdGenSQL", QStringLiteral("Gen SQL"));
    cmdGenSQL->setGeometry(twipsRect(4440, 2760, 1575, 375));
    cmdExit = make<QPushButton>(parent, "cmdExit", QStringLiteral("Exit"));
    cmdExit->setGeometry(twipsRect(6360, 2760, 1575, 375));
    Label2 = make<QLabel>(parent, "Label2", QStringLiteral("Access DB"));
    placeLabel(Label2, 120, 3240);
    txtPath = make<QLineEdit>(parent, "txtPath");
    txtPath->setGeometry(twipsRect(120, 3480, 7575, 285));
    cmdBrowse = make<QPushButton>(parent, "cmdBrowse", QStringLiteral("..."));
    cmdBrowse->setGeometry(twipsRect(7800, 3495, 375, 255));
    lblOut = make<QLabel>(parent, "lblOut");
    placeLabel(lblOut, 120, 3960);
    txtSQL = make<QPlainTextEdit>(parent, "txtSQL");
    txtSQL->setGeometry(twipsRect(120, 4200, 8055, 4095));
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
        ShowMessage(this, QStringLiteral("No file selected"));
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
    options.ChangeSpaces = optChange_->isChecked();
    options.CreatePermissions = isOn(check(StoredCheck::chkCrePer));
    options.GrantSelect = isOn(check(StoredCheck::chkSel));
    options.GrantInsert = isOn(check(StoredCheck::chkIns));
    options.GrantDelete = isOn(check(StoredCheck::chkDel));
    options.GrantUpdate = isOn(check(StoredCheck::chkUp));
    options.UserNames = txtUserNames->text();
    return options;
}

void frmMain::changeScript(const std::function<void()>& change) {
    changingScript = true;
    // The run's own writing is not for the user to undo, and an undo record per append would double the
    // memory a large script takes.
    txtSQL->setUndoRedoEnabled(false);
    change();
    txtSQL->setUndoRedoEnabled(true);
    changingScript = false;
}

void frmMain::setScriptText(const QString& text) {
    showPendingScript();
    changeScript([&] {
        // The run ends by putting its header in front of what it wrote: insert just the header rather than
        // laying out the whole script again.
        if (scriptExact && !script.isEmpty() && text.size() > script.size() && text.endsWith(script)) {
            QTextCursor start(txtSQL->document());
            start.insertText(text.left(text.size() - script.size()));
            // The caret went along with the appends; a new text starts with it at the beginning.
            txtSQL->setTextCursor(QTextCursor(txtSQL->document()));
        } else {
            txtSQL->setPlainText(text);
        }
    });
    script = text;
    shownLength = script.size();
    scriptExact = true;
    repaintScript();
}

QString frmMain::scriptText() {
    if (scriptExact) {
        return script;
    }
    return txtSQL->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void frmMain::appendScript(const QString& piece) {
    if (!scriptExact) {
        script = scriptText();
        shownLength = script.size();
        scriptExact = true;
    }
    script += piece;
    // During a run the box takes what was written at the next paint, in one piece: thousands of small
    // inserts would cost more than the run itself.
    if (!running) {
        showPendingScript();
    }
}

void frmMain::showPendingScript() {
    if (!scriptExact || shownLength >= script.size()) {
        return;
    }
    const QString piece = script.mid(shownLength);
    shownLength = script.size();
    changeScript([&] {
        QTextCursor end(txtSQL->document());
        end.movePosition(QTextCursor::End);
        end.insertText(piece);
    });
}

void frmMain::repaintScript() {
    txtSQL->viewport()->update();
    paintNow();
}

void frmMain::setProgress(const QString& text) {
    caption = text;
    captionPending = true;
    // A run sets a caption per field; only the one shown at a paint needs laying out.
    if (!running) {
        showPendingCaption();
    }
    paintNow();
}

void frmMain::showPendingCaption() {
    if (!captionPending) {
        return;
    }
    captionPending = false;
    const QRect before = lblOut->geometry();
    lblOut->setText(caption);
    lblOut->adjustSize();
    // A shorter caption uncovers part of the old one: paint both areas.
    client->update(before.united(lblOut->geometry()));
}

void frmMain::showPending() {
    showPendingCaption();
    showPendingScript();
}

// A run keeps the user-interface thread from its start to its end, so the window paints only when asked
// here. Painting is done at most once per frame: a large database sets thousands of captions a second, and
// painting each of them would take longer than the run itself, yet no eye could tell the difference. The same
// pass answers the window system (an uncovered window is painted again, a close request is noted); clicks
// and keys that came meanwhile are dropped by the run's input guard, never kept for after the run.
void frmMain::paintNow() {
    if (!sinceLastPaint.isValid() || sinceLastPaint.hasExpired(PaintIntervalMs)) {
        showPending();
        RunInputGuard::processEventsDroppingInput();
        sinceLastPaint.start();
    }
}

void frmMain::uncheckCreatePermissions() {
    setCheck(StoredCheck::chkCrePer, CheckState::Unchecked);
}

void frmMain::showMessage(const QString& text) {
    if (closeAfterRun) {
        return; // the window is closing: a read given up for it is nothing to tell
    }
    if (inputGuard == nullptr) {
        ShowMessage(this, text);
        return;
    }
    // The window behind the box shows where the run stands; the box itself takes the user's answer.
    showPending();
    const RunInputGuard::Pause answer(*inputGuard);
    ShowMessage(this, text);
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
