#include "RowSender.h"

#include "LoadDataFields.h"
#include "RowLiterals.h"

namespace {

constexpr std::size_t sendBytes = 1 << 20; // rows are sent in pieces of about 1 MiB

std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

RowSender::RowSender(const TargetDialect& dialect, const TablePlan& table, LiveConnection& target,
                     bool digest)
    : d_(dialect), table_(table), target_(target), queue_(target) {
    if (digest)
        digest_.emplace(dialect, table);
    QStringList names;
    for (int i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].written) {
            columns_ << i;
            forms_ << table.columns[i].type.form;
            names << quoteName(d_, table.columns[i].name);
        }
    problemsMet_.resize(columns_.size());
    const QString list = names.join(QStringLiteral(", "));
    if (bound())
        head_ = utf8(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(quoteName(d_, table.name), list,
                              QStringList(columns_.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    else if (copy())
        head_ = utf8(QStringLiteral("COPY %1 (%2) FROM STDIN").arg(quoteName(d_, table.name), list));
    else
        head_ = utf8(QStringLiteral("INSERT INTO %1 (%2) VALUES\r\n").arg(quoteName(d_, table.name), list));
    load_ = !bound() && !copy() && target.loadsData();
    text_.reserve(sendBytes + sendBytes / 4);
}

Failure RowSender::batch(const RowBatch& batch) {
    if (qsizetype(batch.columns) != table_.table->columns.size())
        return QStringLiteral("the reader sent rows of another table");
    for (std::size_t r = 0; r < batch.rows(); ++r) {
        if (Failure f = row(batch.row(r)))
            return f;
    }
    return std::nullopt;
}

Failure RowSender::finish() {
    if (bound()) {
        target_.endInsert();
        return std::nullopt;
    }
    if (lines()) {
        if (!started_)
            return std::nullopt;
        if (!text_.empty())
            if (Failure f = queue_.push(SendQueue::Kind::CopyData, std::move(text_)))
                return f;
        if (Failure f = queue_.drain())
            return f;
        return target_.copyEnd();
    }
    if (Failure f = sendInsert())
        return f;
    if (Failure f = queue_.drain())
        return f;
    return target_.finish();
}

QStringList RowSender::notes() const {
    QStringList notes;
    for (auto p = problems_.cbegin(); p != problems_.cend(); ++p)
        notes << QStringLiteral("Table %1, column %2: %3 %4")
                     .arg(table_.table->name, p.key().first)
                     .arg(p.value())
                     .arg(QString::fromLatin1(valueProblemText(p.key().second)));
    return notes;
}

Failure RowSender::row(const DataValue* values) {
    if (bound()) {
        if (!started_) {
            if (Failure f = target_.prepareInsert(head_))
                return f;
            started_ = true;
        }
        if (Failure f = target_.insertBound(values, columns_, forms_, problemsMet_))
            return f;
        for (int i = 0; i < columns_.size(); ++i)
            if (problemsMet_[i] != ValueProblem::None)
                ++problems_[{table_.columns[columns_[i]].column->name, problemsMet_[i]}];
        if (digest_)
            digest_->add(values, columns_, problemsMet_);
        ++rows_;
        return std::nullopt;
    }
    if (copy() && !started_) {
        if (Failure f = target_.copyStart(head_))
            return f;
        started_ = true;
    }
    if (load_ && !started_) {
        bool refused = false;
        if (Failure f = target_.loadStart(loadDataStatement(d_, table_, columns_, loadDataStream), refused))
            return f;
        load_ = !refused;
        started_ = load_;
    }
    if (!lines())
        text_ += inStatement_ == 0 ? head_ + "(" : ",\r\n(";
    for (int k = 0; k < columns_.size(); ++k) {
        if (k > 0)
            text_ += lines() ? "\t" : ", ";
        const int i = columns_[k];
        const ColumnPlan& c = table_.columns[i];
        const ValueProblem problem = copy()  ? appendCopyField(text_, c.type.form, values[i])
                                     : load_ ? appendLoadDataField(text_, c.type.form, values[i])
                                             : appendSqlLiteral(text_, d_, c.type.form, values[i]);
        problemsMet_[k] = problem;
        if (problem != ValueProblem::None)
            ++problems_[{c.column->name, problem}];
    }
    text_ += lines() ? "\n" : ")";
    if (digest_)
        digest_->add(values, columns_, problemsMet_);
    ++rows_;
    if (lines()) {
        if (text_.size() >= sendBytes)
            return pass(SendQueue::Kind::CopyData);
        return std::nullopt;
    }
    if (++inStatement_ >= d_.rowsPerInsert || text_.size() >= sendBytes)
        return sendInsert();
    return std::nullopt;
}

Failure RowSender::sendInsert() {
    if (inStatement_ == 0)
        return std::nullopt;
    inStatement_ = 0;
    return pass(SendQueue::Kind::Statement);
}

Failure RowSender::pass(SendQueue::Kind kind) {
    Failure f = queue_.push(kind, std::move(text_));
    text_ = std::string();
    text_.reserve(sendBytes + sendBytes / 4);
    return f;
}
