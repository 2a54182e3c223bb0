#include "MigrateDialog.h"

#include "IniFile.h"
#include "LiveConnection.h"
#include "Migration.h"
#include "ReaderProcess.h"

#include "Settings.h"
#include "WorkerWindow.h"
#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>

namespace {

const QString migrateSection = QStringLiteral("Migrate");

// A libpq keyword value, quoted: backslashes and quotes escaped.
QString keywordValue(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

// The running work: a migration or a connection test on its own thread, and what it tells the dialog, read
// ten times a second.
struct MigrateDialog::Work {
    std::unique_ptr<QThread> thread;
    QMutex lock;
    QString table;
    qint64 rows = 0;
    int tableNumber = 0;
    int tableCount = 0;
    std::atomic<bool> cancelled{false};
    bool migration = false;
    MigrationReport report;
    QStringList messages;
    QString connected; // a connection test: the server, or why not
    bool connectedOk = false;
    bool shown = false; // the dialog has shown how it ended
    QTimer poll;
};

MigrateDialog::MigrateDialog(QWidget* parent, const QString& databasePath, SchemaReader* givenReader,
                             std::string databasePassword)
    : QDialog(parent), databasePath_(databasePath), givenReader_(givenReader),
      databasePassword_(std::move(databasePassword)) {
    setObjectName(QStringLiteral("MigrateDialog"));
    setWindowTitle(QStringLiteral("Migrate to Server"));
    auto* form = new QFormLayout;
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("kind"));
    kind_->addItems(
        {QStringLiteral("PostgreSQL"), QStringLiteral("MySQL or MariaDB"), QStringLiteral("SQLite file")});
    form->addRow(QStringLiteral("&Target:"), kind_);
    const auto field = [&](const char* name, const QString& label) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        form->addRow(label, edit);
        serverFields_ << edit << form->labelForField(edit);
        return edit;
    };
    host_ = field("host", QStringLiteral("&Host:"));
    host_->setPlaceholderText(QStringLiteral("localhost, or a socket folder (PostgreSQL)"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("port"));
    port_->setRange(0, 65535);
    port_->setSpecialValueText(QStringLiteral("default"));
    form->addRow(QStringLiteral("&Port:"), port_);
    serverFields_ << port_ << form->labelForField(port_);
    database_ = field("database", QStringLiteral("&Database:"));
    user_ = field("user", QStringLiteral("&User:"));
    password_ = field("password", QStringLiteral("Pass&word:"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setPlaceholderText(QStringLiteral("empty: PGPASSWORD, ~/.pgpass, MYSQL_PWD, ~/.my.cnf"));
    socket_ = field("socket", QStringLiteral("&Socket:"));
    socket_->setPlaceholderText(QStringLiteral("MySQL: the server's socket file, if not the default"));
    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("file"));
    browse_ = new QPushButton(QStringLiteral("&Browse..."), this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_);
    fileRow->addWidget(browse_);
    // A label made for a row of two widgets has no buddy, and would show its "&" instead of taking Alt+F.
    auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
    fileLabel->setBuddy(file_);
    form->addRow(fileLabel, fileRow);
    fileFields_ << file_ << browse_ << fileLabel;
    verify_ = new QCheckBox(QStringLiteral("&Verify: read every row back after the load"), this);
    verify_->setObjectName(QStringLiteral("verify"));
    form->addRow(QString(), verify_);
    const auto choice = [&](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(true);
        form->addRow(QString(), box);
        return box;
    };
    primaryKeys_ = choice(
        "primaryKeys",
        QStringLiteral("Primary &keys, foreign keys and the tables of attachment and multi-valued columns"));
    indexes_ = choice("indexes", QStringLiteral("&Indexes"));
    views_ = choice("views", QStringLiteral("Views of the saved &queries"));
    // Off: the server's own comparison of texts, as the scripts have it without --text-case.
    ignoreCase_ = choice("ignoreCase", QStringLiteral("Texts compare without regard to &case, as in Access"));
    ignoreCase_->setChecked(false);

    test_ = new QPushButton(QStringLiteral("&Test Connection"), this);
    test_->setObjectName(QStringLiteral("test"));
    migrate_ = new QPushButton(QStringLiteral("&Migrate"), this);
    migrate_->setObjectName(QStringLiteral("migrate"));
    migrate_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setEnabled(false);
    copy_ = new QPushButton(QStringLiteral("C&opy Report"), this);
    copy_->setObjectName(QStringLiteral("copy"));
    copy_->setEnabled(false);
    close_ = new QPushButton(QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {test_, migrate_, cancel_, copy_, close_})
        buttons->addWidget(b);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    report_ = new QTableWidget(0, 3, this);
    report_->setObjectName(QStringLiteral("report"));
    report_->setHorizontalHeaderLabels(
        {QStringLiteral("Table"), QStringLiteral("Rows read"), QStringLiteral("In target")});
    report_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    report_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    report_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(report_);
    resize(560, 600);

    connect(kind_, &QComboBox::currentIndexChanged, this, &MigrateDialog::showKind);
    connect(test_, &QPushButton::clicked, this, &MigrateDialog::testConnection);
    connect(migrate_, &QPushButton::clicked, this, &MigrateDialog::migrate);
    connect(cancel_, &QPushButton::clicked, this, &MigrateDialog::cancel);
    connect(copy_, &QPushButton::clicked, this, &MigrateDialog::copyReport);
    connect(close_, &QPushButton::clicked, this, &MigrateDialog::reject);
    connect(browse_, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getSaveFileName(
            this, QString(), file_->text(), QStringLiteral("SQLite databases (*.db *.sqlite);;All Files (*)"),
            nullptr, QFileDialog::DontConfirmOverwrite);
        if (!chosen.isEmpty())
            file_->setText(chosen);
    });
    loadTarget();
    showKind();
}

MigrateDialog::~MigrateDialog() {
    if (work_ && work_->thread && work_->thread->isRunning()) {
        work_->cancelled = true;
        work_->thread->wait();
    }
    std::fill(databasePassword_.begin(), databasePassword_.end(), '\0');
}

void MigrateDialog::showKind() {
    const bool file = kind_->currentIndex() == 2;
    for (QWidget* w : serverFields_)
        if (w)
            w->setVisible(!file);
    for (QWidget* w : fileFields_)
        if (w)
            w->setVisible(file);
    socket_->setVisible(kind_->currentIndex() == 1);
    if (QWidget* label = static_cast<QFormLayout*>(layout()->itemAt(0)->layout())->labelForField(socket_))
        label->setVisible(kind_->currentIndex() == 1);
}

TargetAddress MigrateDialog::address() const {
    switch (kind_->currentIndex()) {
    case 0: {
        QStringList words;
        const auto add = [&words](const char* keyword, const QString& value) {
            if (!value.isEmpty())
                words << QString::fromLatin1(keyword) + QLatin1Char('=') + keywordValue(value);
        };
        add("host", host_->text().trimmed());
        add("port", port_->value() ? QString::number(port_->value()) : QString());
        add("dbname", database_->text().trimmed());
        add("user", user_->text().trimmed());
        return TargetAddress{.kind = TargetKind::PostgreSql, .conninfo = words.join(QLatin1Char(' '))};
    }
    case 1:
        return TargetAddress{.kind = TargetKind::MySql,
                             .user = user_->text().trimmed(),
                             .host = host_->text().trimmed(),
                             .port = port_->value(),
                             .database = database_->text().trimmed(),
                             .socket = socket_->text().trimmed()};
    default:
        return TargetAddress{.kind = TargetKind::Sqlite, .path = file_->text().trimmed()};
    }
}

ConversionOptions MigrateDialog::options() const {
    ConversionOptions options;
    options.DatabasePath = databasePath_;
    options.CreatePrimaryKey = primaryKeys_->isChecked();
    options.CreateIndexes = indexes_->isChecked();
    options.CreateViews = views_->isChecked();
    if (ignoreCase_->isChecked())
        options.CaseOfTexts = TextCase::Insensitive;
    return options;
}

bool MigrateDialog::running() const {
    return work_ && !work_->shown;
}

void MigrateDialog::loadTarget() {
    const QString file = SettingsFile();
    if (file.isEmpty())
        return;
    const auto value = [&file](const char* key) {
        return ReadIniValue(file, migrateSection, QString::fromLatin1(key), QString());
    };
    kind_->setCurrentIndex(std::clamp(value("Kind").toInt(), 0, 2));
    host_->setText(value("Host"));
    port_->setValue(value("Port").toInt());
    database_->setText(value("Database"));
    user_->setText(value("User"));
    socket_->setText(value("Socket"));
    file_->setText(value("File"));
    verify_->setChecked(value("Verify") == QLatin1String("1"));
    // A choice never made is on: the migration is faithful unless told otherwise.
    primaryKeys_->setChecked(value("PrimaryKeys") != QLatin1String("0"));
    indexes_->setChecked(value("Indexes") != QLatin1String("0"));
    views_->setChecked(value("Views") != QLatin1String("0"));
    ignoreCase_->setChecked(value("IgnoreCase") == QLatin1String("1"));
}

// The target without its password, and the choices, in a section of its own: the "Options" section is the
// main window's.
void MigrateDialog::saveTarget() const {
    const QString file = SettingsFile();
    if (file.isEmpty())
        return;
    const auto flag = [](const QCheckBox* box) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    WriteIniValues(file, migrateSection,
                   {{QStringLiteral("Kind"), QString::number(kind_->currentIndex())},
                    {QStringLiteral("Host"), host_->text().trimmed()},
                    {QStringLiteral("Port"), QString::number(port_->value())},
                    {QStringLiteral("Database"), database_->text().trimmed()},
                    {QStringLiteral("User"), user_->text().trimmed()},
                    {QStringLiteral("Socket"), socket_->text().trimmed()},
                    {QStringLiteral("File"), file_->text().trimmed()},
                    {QStringLiteral("Verify"), flag(verify_)},
                    {QStringLiteral("PrimaryKeys"), flag(primaryKeys_)},
                    {QStringLiteral("Indexes"), flag(indexes_)},
                    {QStringLiteral("Views"), flag(views_)},
                    {QStringLiteral("IgnoreCase"), flag(ignoreCase_)}});
}

void MigrateDialog::testConnection() {
    if (running())
        return;
    work_ = std::make_unique<Work>();
    Work* work = work_.get();
    const TargetAddress target = address();
    const QString password = password_->text();
    work->thread.reset(QThread::create([work, target, password] {
        if (target.kind == TargetKind::Sqlite) {
            // A connection to a file would make it: only its folder is tried.
            const QFileInfo info(target.path);
            work->connectedOk = !target.path.isEmpty() && info.absoluteDir().exists() &&
                                (!info.exists() || info.isWritable());
            work->connected = work->connectedOk ? QStringLiteral("The file can be written.")
                                                : QStringLiteral("%1 cannot be written.").arg(target.path);
            return;
        }
        Connected connection = connectTarget(target, password);
        if (auto* why = std::get_if<QString>(&connection)) {
            work->connected = *why;
            return;
        }
        work->connectedOk = true;
        work->connected = QStringLiteral("Connected to %1.")
                              .arg(std::get<std::unique_ptr<LiveConnection>>(connection)->serverVersion());
    }));
    test_->setEnabled(false);
    migrate_->setEnabled(false);
    status_->setText(QStringLiteral("Connecting..."));
    connect(work->thread.get(), &QThread::finished, this, [this, work] {
        status_->setText(work->connected);
        test_->setEnabled(true);
        migrate_->setEnabled(true);
        work->shown = true;
    });
    work->thread->start();
}

void MigrateDialog::migrate() {
    if (running())
        return;
    saveTarget();
    report_->setRowCount(0);
    copy_->setEnabled(false);
    work_ = std::make_unique<Work>();
    Work* work = work_.get();
    work->migration = true;
    MigrationRequest request{
        .address = address(), .password = password_->text(), .verify = verify_->isChecked()};
    const ConversionOptions options = this->options();
    SchemaReader* given = givenReader_;
    const std::string* databasePassword = &databasePassword_; // the dialog outlives the thread
    work->thread.reset(QThread::create([work, request, options, given, databasePassword] {
        std::unique_ptr<ReaderProcess> engine;
        if (!given) {
            engine = std::make_unique<ReaderProcess>();
            engine->setPassword(*databasePassword);
        }
        SchemaReader& reader = given ? *given : *engine;
        WorkerWindow window(options);
        work->report = runMigration(options, request, window, reader,
                                    [work](const QString& table, qint64 rows, int number, int count) {
                                        const QMutexLocker locked(&work->lock);
                                        work->table = table;
                                        work->rows = rows;
                                        work->tableNumber = number;
                                        work->tableCount = count;
                                        return !work->cancelled;
                                    });
        work->messages = window.messages;
    }));
    for (QWidget* w :
         {static_cast<QWidget*>(test_), static_cast<QWidget*>(migrate_), static_cast<QWidget*>(kind_)})
        w->setEnabled(false);
    cancel_->setEnabled(true);
    progress_->setRange(0, 0);
    status_->setText(QStringLiteral("Reading the tables..."));
    connect(&work->poll, &QTimer::timeout, this, &MigrateDialog::poll);
    connect(work->thread.get(), &QThread::finished, this, [this, work] {
        work->poll.stop();
        cancel_->setEnabled(false);
        for (QWidget* w :
             {static_cast<QWidget*>(test_), static_cast<QWidget*>(migrate_), static_cast<QWidget*>(kind_)})
            w->setEnabled(true);
        progress_->setRange(0, 1);
        progress_->setValue(work->report.ending == MigrationReport::Ending::Done ? 1 : 0);
        showReport(work->report);
        work->shown = true;
    });
    work->poll.start(100);
    work->thread->start();
}

void MigrateDialog::poll() {
    if (!work_)
        return;
    const QMutexLocker locked(&work_->lock);
    if (work_->table.isEmpty())
        return;
    progress_->setRange(0, work_->tableCount);
    progress_->setValue(work_->tableNumber);
    status_->setText(QStringLiteral("%1: %2 rows").arg(work_->table).arg(work_->rows));
}

void MigrateDialog::cancel() {
    if (running()) {
        work_->cancelled = true;
        status_->setText(QStringLiteral("Stopping..."));
    }
}

void MigrateDialog::reject() {
    // Closing while it runs stops it first: the target is left as it was.
    if (running()) {
        cancel();
        return;
    }
    QDialog::reject();
}

void MigrateDialog::showReport(const MigrationReport& report) {
    qint64 read = 0;
    qint64 held = 0;
    // With the rows read back, a column says whether they are the rows sent.
    report_->setColumnCount(report.verified ? 4 : 3);
    if (report.verified)
        report_->setHorizontalHeaderItem(3, new QTableWidgetItem(QStringLiteral("Values")));
    const auto row = [this](const QString& name, qint64 a, qint64 b, const QString& values) {
        const int r = report_->rowCount();
        report_->insertRow(r);
        report_->setItem(r, 0, new QTableWidgetItem(name));
        for (int c = 1; c <= 2; ++c) {
            const qint64 n = c == 1 ? a : b;
            auto* item = new QTableWidgetItem(n < 0 ? QStringLiteral("-") : QString::number(n));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            report_->setItem(r, c, item);
        }
        if (report_->columnCount() > 3)
            report_->setItem(r, 3, new QTableWidgetItem(values));
    };
    for (const TableCount& t : report.tables) {
        row(t.name, t.read, t.held,
            t.values == TableCount::Values::Same        ? QStringLiteral("same")
            : t.values == TableCount::Values::Different ? QStringLiteral("DIFFERENT")
                                                        : QString());
        read += t.read;
        held += std::max<qint64>(t.held, 0);
    }
    if (!report.tables.isEmpty())
        row(QStringLiteral("Total"), read, held, {});
    const QString text = reportText(report);
    // The lines after the table of counts: how it ended, and the warnings.
    QStringList tail = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                           .mid(report.tables.isEmpty() ? 0 : report.tables.size() + 2);
    if (!report.missingTables.isEmpty())
        tail << QStringLiteral("No table named %1 in the database.")
                    .arg(report.missingTables.join(QStringLiteral(", ")));
    tail << work_->messages << report.warnings;
    if (report.ending == MigrationReport::Ending::Done && !report.countsAgree())
        tail << QStringLiteral("The target does not hold every row that was sent.");
    status_->setText(tail.join(QLatin1Char('\n')));
    copy_->setEnabled(true);
}

// The report as tab-separated lines, which paste into a spreadsheet as a table.
void MigrateDialog::copyReport() {
    QStringList header;
    for (int c = 0; c < report_->columnCount(); ++c)
        header << report_->horizontalHeaderItem(c)->text();
    QString text = header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r = 0; r < report_->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < report_->columnCount(); ++c)
            cells << report_->item(r, c)->text();
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    text += status_->text() + QLatin1Char('\n');
    QApplication::clipboard()->setText(text);
}
