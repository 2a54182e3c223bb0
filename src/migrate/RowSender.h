#pragma once
// One table's rows on their way to the target, in the script's forms: COPY lines for PostgreSQL, LOAD DATA
// lines for MySQL where the server takes them and multi-row INSERT statements where not, values bound to a
// prepared INSERT for SQLite. It counts the rows and the values a target cannot hold, and keeps a digest of
// what it sent where one is asked for.

#include "LiveConnection.h"
#include "RowDigest.h"
#include "ScriptPlan.h"
#include "SendQueue.h"
#include "TableRows.h"
#include "TargetDialect.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <optional>
#include <string>

class RowSender {
public:
    RowSender(const TargetDialect& dialect, const TablePlan& table, LiveConnection& target, bool digest);

    Failure batch(const RowBatch& batch);
    // The last rows, and the end of the COPY, LOAD DATA or INSERTs.
    Failure finish();

    qint64 rows() const { return rows_; }
    // The digest of the rows sent, where one was asked for.
    std::optional<TableDigest> digest() const {
        return digest_ ? std::optional(digest_->digest()) : std::nullopt;
    }
    // "Table T, column C: N <what became of the values>", a line for each problem met.
    QStringList notes() const;

private:
    bool copy() const { return d_.rowsForm == RowsForm::Copy; }
    bool bound() const { return target_.bindsValues(); }
    bool lines() const { return copy() || load_; } // COPY or LOAD DATA lines

    Failure row(const DataValue* values);
    Failure sendInsert();
    Failure pass(SendQueue::Kind kind);

    const TargetDialect& d_;
    const TablePlan& table_;
    LiveConnection& target_;
    QList<int> columns_;
    QList<ValueForm> forms_;
    QList<ValueProblem> problemsMet_;
    std::string head_;
    std::string text_;
    bool load_ = false; // the rows go as LOAD DATA lines
    bool started_ = false;
    int inStatement_ = 0;
    qint64 rows_ = 0;
    QMap<std::pair<QString, ValueProblem>, qint64> problems_;
    std::optional<SentDigest> digest_;
    SendQueue queue_; // last: it sends from text the members above no longer hold
};
