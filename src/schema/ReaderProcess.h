#pragma once
// The schema reader of the program. It hands every request to the reader process (veltrane-reader, the only
// code that runs libmdb), which it starts on first use and keeps between calls. A request that crashes the
// reader, exhausts its memory, answers garbage or stays silent past its time limit stops the process and is
// answered as a failed read; the next request starts a fresh reader. No call ever hangs, throws or passes an
// error on. The time limit counts silence, not the whole request: it starts again with every part of the
// answer that arrives. It is 20 s, or VELTRANE_READER_TIMEOUT seconds when that is set. Needs a
// QCoreApplication.

#include "ProjectCode.h"
#include "SchemaReader.h"

#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QProcess;
namespace readerprotocol {
enum class RequestKind : std::uint32_t;
}

// A saved query whose stored rows make no statement, and why.
struct UnreadSavedQuery {
    QString name;
    QString reason;
    bool operator==(const UnreadSavedQuery&) const = default;
};

// The saved queries read, and the ones that could not be rebuilt.
struct SavedQueriesRead {
    SavedQueries queries;
    QList<UnreadSavedQuery> unread;
};

// How many rows a table holds, and whether all of them could be read.
struct RowCount {
    qint64 rows = 0;
    bool complete = false;
};

class ReaderProcess : public SchemaReader {
public:
    // Runs veltrane-reader from beside the running program, or from ../libexec/veltrane/ when installed.
    ReaderProcess();
    // Runs the given program instead (tests use a reader that misbehaves on purpose).
    explicit ReaderProcess(QString program, QStringList arguments = {});
    ~ReaderProcess() override;
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    TableList GetTableNames(const QString& path) override;
    FieldTable GetTableFields(const QString& path, const QString& tableName) override;
    IndexList GetTableIndexes(const QString& path, const QString& tableName) override;
    // Every stored fact in one request (see SchemaSnapshot::stream).
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString& path) override;
    std::variant<ReadFailure, QList<Relationship>>
    ReadDatabaseSchema(const QString& path, const std::function<void(TableDefinition&&)>& table) override;
    // The saved queries in one request; a query whose rows cannot be rebuilt is left out.
    std::variant<ReadFailure, SavedQueries> GetSavedQueries(const QString& path) override;
    // The same, with the queries left out named.
    std::variant<ReadFailure, SavedQueriesRead> ReadSavedQueries(const QString& path);
    // The forms, reports, macros, modules and VBA source, in one request (ProjectCode.h).
    std::variant<ReadFailure, ProjectCode> ReadProjectCode(const QString& path);
    // Counted in the reader from the rows' null masks, in one request.
    std::optional<QList<qint64>> CountMissingValues(const QString& path, const QString& tableName) override;
    // The live rows of a table, walked in the reader without a value decoded; a failure when the table
    // cannot be read, and complete false where its rows could not all be (the count is then of those read).
    std::variant<ReadFailure, RowCount> CountRows(const QString& path, const QString& tableName);
    // The time limit applies to each answer frame, so a long table that keeps sending is never cut off.
    RowsRead ReadTableRows(const QString& path, const QString& tableName,
                           const std::function<bool(const RowBatch& batch)>& batch) override;

    // What GetTableNames answers when the last request got no answer: the reader program could not be
    // started, or it failed on the file at path.
    ReadFailure failedRead(const QString& path) const;

    // Called every few hundredths of a second while a request waits for its answer (a window paints
    // meanwhile); an answer of true abandons the request, which is then answered as a failed read, and
    // stops the reader process. Unset, a request just waits.
    using WaitHook = std::function<bool()>;
    void setWaitHook(WaitHook hook) { waitHook_ = std::move(hook); }

    // Starts the reader program ahead of the first request, so that its start overlaps the caller's own
    // work; a request starts it anyway when need be, and says why when it cannot.
    void start() { ensureRunning(requestTimeoutMs()); }

    // The password of an encrypted database (UTF-8), sent to the reader with each request on its standard
    // input, never in its arguments or environment; empty for none. It lives in this object's memory only
    // and is wiped when it is replaced and when the object goes.
    void setPassword(std::string password);
    bool hasPassword() const { return !password_.empty(); }

    static QString defaultProgram();
    // The longest a request waits with nothing of its answer arriving, in milliseconds.
    static int requestTimeoutMs();

private:
    // The whole-schema request is sent and decoded by SchemaSnapshot.
    friend class SchemaSnapshot;

    // Sends one encoded request frame and returns the payload of the one answer frame.
    std::optional<std::string> exchange(const std::string& requestFrame);
    // Sends one encoded request frame and hands the payload of each answer frame to onFrame as it arrives,
    // until onFrame says the answer is complete. False when no complete answer came (see exchange) or
    // onFrame found a frame bad; the caller then stops the reader.
    enum class FrameVerdict { More, Done, Bad };
    bool exchangeFrames(const std::string& requestFrame,
                        const std::function<FrameVerdict(std::string&& payload)>& onFrame);
    // The encoded request, with the password when there is one.
    std::string requestFrame(readerprotocol::RequestKind kind, const QString& path,
                             const QString& table = {}) const;
    bool ensureRunning(int timeoutMs);
    void stop();

    QString program_;
    QStringList arguments_;
    QString startError_; // why the reader program could not be started the last time it was tried
    std::unique_ptr<QProcess> process_;
    WaitHook waitHook_;
    std::string password_;
};
