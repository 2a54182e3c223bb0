#include "SaveWithData.h"

#include "DataScript.h"
#include "ReaderProcess.h"
#include "TargetDialect.h"
#include "WorkerWindow.h"

#include <QMutex>
#include <QProgressDialog>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace {

// What the worker tells the dialog, read by it ten times a second.
struct Progress {
    QMutex lock;
    QString table;
    qint64 rows = 0;
    int tableNumber = 0;
    int tableCount = 0;
};

} // namespace

QStringList SaveScriptWithData(QWidget* parent, const TargetDialect& dialect,
                               const ConversionOptions& options, const QString& target,
                               SchemaReader* givenReader, const std::string& password) {
    std::atomic<bool> cancelled{false};
    Progress progress;
    QStringList messages;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        std::unique_ptr<ReaderProcess> engine;
        if (!givenReader) {
            engine = std::make_unique<ReaderProcess>();
            engine->setPassword(password);
        }
        SchemaReader& reader = givenReader ? *givenReader : *engine;
        WorkerWindow window(options);
        QSaveFile file(target);
        const bool opened = file.open(QIODevice::WriteOnly);
        const DataOutcome outcome = runDataScript(
            dialect, options, {.schema = true, .tables = {}}, window, reader,
            [&](std::string_view bytes) {
                return opened && !cancelled &&
                       file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
            },
            [&](const QString& table, qint64 rows, int number, int count) {
                const QMutexLocker locked(&progress.lock);
                progress.table = table;
                progress.rows = rows;
                progress.tableNumber = number;
                progress.tableCount = count;
                return !cancelled;
            });
        const bool unreadable = outcome.run.ending == RunOutcome::Ending::DatabaseUnreadable ||
                                outcome.run.ending == RunOutcome::Ending::ReaderUnavailable;
        if (cancelled || unreadable || !outcome.written || !file.flush() || !file.commit()) {
            file.cancelWriting();
            if (!cancelled && !unreadable)
                window.messages << QStringLiteral("The script could not be written to %1.").arg(target);
        }
        if (!cancelled)
            messages = window.messages + outcome.warnings;
    }));

    QProgressDialog dialog(QStringLiteral("Reading the tables..."), QStringLiteral("Cancel"), 0, 0, parent);
    dialog.setWindowTitle(QStringLiteral("Save Script with Data"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        const QMutexLocker locked(&progress.lock);
        if (progress.table.isEmpty())
            return;
        dialog.setMaximum(progress.tableCount);
        dialog.setValue(progress.tableNumber);
        dialog.setLabelText(QStringLiteral("%1: %2 rows").arg(progress.table).arg(progress.rows));
    });
    QObject::connect(worker.get(), &QThread::finished, &dialog, [&dialog] { dialog.done(0); });
    poll.start(100);
    worker->start();
    dialog.exec();
    // Cancel hides the dialog, which ends it; the worker stops at its next batch of rows.
    if (dialog.wasCanceled())
        cancelled = true;
    worker->wait();
    return messages;
}
