#include "ReaderProcess.h"

#include "ReaderAnswers.h"
#include "ReaderProtocol.h"
#include "SchemaSnapshot.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstring>

using namespace readerprotocol;

namespace {

constexpr int defaultTimeoutMs = 20'000;
constexpr int stopWaitMs = 2'000;
// How often a waiting request asks its wait hook.
constexpr qint64 waitHookIntervalMs = 20;

void wipe(std::string& secret) {
    ::explicit_bzero(secret.data(), secret.size());
    secret.clear();
}

template <typename Answer>
std::optional<Answer> decoded(const std::optional<std::string>& payload,
                              std::optional<Answer> (*decode)(std::string_view)) {
    if (!payload)
        return std::nullopt;
    return decode(*payload);
}

} // namespace

ReaderProcess::ReaderProcess() = default;

ReaderProcess::ReaderProcess(QString program, QStringList arguments)
    : program_(std::move(program)), arguments_(std::move(arguments)) {}

ReaderProcess::~ReaderProcess() {
    stop();
    wipe(password_);
}

void ReaderProcess::setPassword(std::string password) {
    wipe(password_);
    password_ = std::move(password);
    wipe(password);
}

std::string ReaderProcess::requestFrame(RequestKind kind, const QString& path, const QString& table) const {
    return encode(Request{kind, QFile::encodeName(path).toStdString(), table.toStdString(), password_});
}

QString ReaderProcess::defaultProgram() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/veltrane-reader");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QDir::cleanPath(folder + QStringLiteral("/../libexec/veltrane/veltrane-reader"));
}

int ReaderProcess::requestTimeoutMs() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("VELTRANE_READER_TIMEOUT").toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 24 * 3600)
        return defaultTimeoutMs;
    return qMax(1, int(seconds * 1000));
}

TableList ReaderProcess::GetTableNames(const QString& path) {
    const std::optional<TablesAnswer> answer =
        decoded(exchange(requestFrame(RequestKind::Tables, path)), decodeTables);
    if (!answer) {
        stop();
        return failedRead(path);
    }
    return toTableList(*answer);
}

FieldTable ReaderProcess::GetTableFields(const QString& path, const QString& tableName) {
    const std::optional<FieldsAnswer> answer =
        decoded(exchange(requestFrame(RequestKind::Fields, path, tableName)), decodeFields);
    if (!answer) {
        stop();
        return FieldTable::unreadable();
    }
    return toFieldTable(*answer);
}

IndexList ReaderProcess::GetTableIndexes(const QString& path, const QString& tableName) {
    const std::optional<IndexesAnswer> answer =
        decoded(exchange(requestFrame(RequestKind::Indexes, path, tableName)), decodeIndexes);
    if (!answer) {
        stop();
        return unreadableIndexes();
    }
    return toIndexList(*answer);
}

ReadFailure ReaderProcess::failedRead(const QString& path) const {
    if (!startError_.isEmpty())
        return readerUnavailable(program_, startError_);
    return damagedDatabase(path);
}

std::variant<ReadFailure, DatabaseSchema> ReaderProcess::GetDatabaseSchema(const QString& path) {
    // Collected from the stream: nothing is kept for questions about single tables.
    DatabaseSchema schema;
    auto relationships = ReadDatabaseSchema(
        path, [&schema](TableDefinition&& table) { schema.tables.append(std::move(table)); });
    if (auto* failure = std::get_if<ReadFailure>(&relationships))
        return *failure;
    schema.relationships = std::move(std::get<QList<::Relationship>>(relationships));
    return schema;
}

std::variant<ReadFailure, QList<::Relationship>>
ReaderProcess::ReadDatabaseSchema(const QString& path, const std::function<void(TableDefinition&&)>& table) {
    return SchemaSnapshot::stream(*this, path, table);
}

bool ReaderProcess::ensureRunning(int timeoutMs) {
    // waitForFinished(0) takes note of a reader that ended since the last request, so that it is replaced
    // instead of being written to.
    if (process_ && process_->state() == QProcess::Running && !process_->waitForFinished(0))
        return true;
    stop();
    if (program_.isEmpty())
        program_ = defaultProgram();
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    process_->setStandardErrorFile(QProcess::nullDevice());
    process_->start(program_, arguments_);
    startError_.clear();
    if (process_->waitForStarted(timeoutMs))
        return true;
    if (process_->error() == QProcess::FailedToStart)
        startError_ = process_->errorString();
    return false;
}

void ReaderProcess::stop() {
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(stopWaitMs);
    }
    process_.reset();
}

// Sends one request and waits for exactly one answer frame. Nothing when the reader could not be started,
// died, stayed silent past the time limit or sent more or other than one frame; the caller then stops it.
std::optional<std::string> ReaderProcess::exchange(const std::string& frame) {
    std::optional<std::string> answer;
    const bool answered = exchangeFrames(frame, [&](std::string&& payload) {
        answer = std::move(payload);
        return FrameVerdict::Done;
    });
    return answered ? answer : std::nullopt;
}

bool ReaderProcess::exchangeFrames(const std::string& frame,
                                   const std::function<FrameVerdict(std::string&& payload)>& onFrame) {
    // The limit counts silence: it starts again with every chunk of the answer that arrives, so an answer
    // that keeps arriving is never cut off, however long it takes as a whole.
    const int silenceLimitMs = requestTimeoutMs();
    QDeadlineTimer deadline(silenceLimitMs);
    if (!ensureRunning(int(deadline.remainingTime())))
        return false;
    // Output nobody asked for means the reader is out of step; start over with a fresh one.
    if (!process_->readAllStandardOutput().isEmpty()) {
        stop();
        if (!ensureRunning(int(deadline.remainingTime())))
            return false;
    }

    if (process_->write(frame.data(), qint64(frame.size())) != qint64(frame.size()))
        return false;

    // Each frame's length first, then its payload read straight into a string of that size: an answer of
    // megabytes is copied once, from the process's buffer.
    char header[4];
    qint64 headerRead = 0;
    std::optional<std::string> payload;
    std::size_t payloadRead = 0;
    for (;;) {
        if (!payload) {
            const qint64 got = process_->read(header + headerRead, qint64(sizeof header) - headerRead);
            if (got > 0)
                deadline.setRemainingTime(silenceLimitMs);
            headerRead += qMax<qint64>(got, 0);
            if (headerRead == qint64(sizeof header)) {
                const std::uint32_t size = *frameSize(std::string_view(header, sizeof header));
                if (size > maxFrameSize)
                    return false;
                payload.emplace(size, '\0');
                payloadRead = 0;
            }
        }
        if (payload) {
            const qint64 got =
                process_->read(payload->data() + payloadRead, qint64(payload->size() - payloadRead));
            if (got > 0)
                deadline.setRemainingTime(silenceLimitMs);
            payloadRead += std::size_t(qMax<qint64>(got, 0));
            if (payloadRead == payload->size()) {
                const FrameVerdict verdict = onFrame(std::move(*payload));
                payload.reset();
                headerRead = 0;
                if (verdict == FrameVerdict::Bad)
                    return false;
                // More than the answer means the reader is out of step.
                if (verdict == FrameVerdict::Done)
                    return process_->bytesAvailable() == 0;
                continue; // the next frame may be in the buffer already
            }
        }
        if (deadline.hasExpired() || process_->state() != QProcess::Running)
            return false;
        qint64 wait = qMax<qint64>(1, deadline.remainingTime());
        if (waitHook_)
            wait = qMin(wait, waitHookIntervalMs);
        process_->waitForReadyRead(int(wait));
        if (waitHook_ && process_->bytesAvailable() == 0 && waitHook_())
            return false;
    }
}
