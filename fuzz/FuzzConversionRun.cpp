// Fuzzes the conversion run and both writers with whatever a reader might answer: names with any
// characters, sizes and type codes that are huge, negative or not numbers at all, empty lists, failures,
// thousands of tables. Answers come either straight as the reader's result types or as bytes through the
// reader process's answer decoding and the client's conversions, as a hostile reader process would send them.
// Besides the sanitizers, the run must end in one of its two documented ways.

#include "ConversionRun.h"
#include "ReaderAnswers.h"
#include "ReaderProtocol.h"
#include "SchemaReader.h"
#include "WindowOps.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdlib>

namespace {

constexpr int maxTables = 5000;
constexpr int maxFields = 300;
constexpr int maxIndexes = 40;
constexpr std::size_t maxText = 200;

QString anyText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: { // UTF-16 code units of any value, lone surrogates and NULs included
        const std::string bytes = in.ConsumeRandomLengthString(maxText);
        return QString(reinterpret_cast<const QChar*>(bytes.data()), qsizetype(bytes.size() / 2));
    }
    case 1:
        return QString::fromUtf8(in.ConsumeRandomLengthString(maxText));
    case 2:
        return QString::fromLatin1(in.ConsumeRandomLengthString(maxText));
    default: // the texts the code compares against
        return in.PickValueInArray({QStringLiteral("NONE"), QStringLiteral("NOT"),
                                    QStringLiteral("PrimaryKey"), QStringLiteral("MSysObjects"),
                                    QStringLiteral("Access SQL"), QString(), QStringLiteral(" "),
                                    QStringLiteral("True"), QStringLiteral("49")});
    }
}

QString anyNumberText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString::number(in.ConsumeIntegralInRange(0, 20));
    case 1:
        return QString::number(in.ConsumeIntegral<qint64>());
    case 2:
        return QStringLiteral("4294967295");
    default:
        return anyText(in);
    }
}

// A reader whose answers the fuzzer chooses as the run asks.
class FuzzedReader : public SchemaReader {
public:
    explicit FuzzedReader(FuzzedDataProvider& in) : in_(in) {}

    TableList GetTableNames(const QString& path) override {
        tables_ = answerTables(path);
        return tables_;
    }
    FieldTable GetTableFields(const QString&, const QString&) override {
        FieldTable fields = answerFields();
        fieldRows_ += fields.upperBound();
        return fields;
    }
    IndexList GetTableIndexes(const QString&, const QString&) override {
        if (in_.ConsumeIntegralInRange(0, 7) == 0)
            return toIndexList(
                decoded(readerprotocol::decodeIndexes).value_or(readerprotocol::IndexesAnswer{}));
        if (in_.ConsumeBool())
            return NoIndexes{};
        QStringList names;
        const int count = in_.ConsumeIntegralInRange(0, maxIndexes);
        for (int i = 0; i < count && in_.remaining_bytes() > 0; ++i)
            names << anyText(in_);
        return TextList(names);
    }

    // What the run was told: its header must count exactly that.
    const TableList& tables() const { return tables_; }
    qint64 fieldRows() const { return fieldRows_; }

private:
    TableList answerTables(const QString& path) {
        if (in_.ConsumeBool())
            return toTableList(
                decoded(readerprotocol::decodeTables)
                    .value_or(readerprotocol::TablesAnswer{
                        readerprotocol::failureFor(readerprotocol::DatabaseDamaged, path.toStdString()),
                        {}}));
        if (in_.ConsumeIntegralInRange(0, 15) == 0)
            return ReadFailure{in_.ConsumeIntegral<int>(), anyText(in_)};
        QStringList names;
        const int count = in_.ConsumeIntegralInRange(0, maxTables);
        for (int i = 0; i < count; ++i)
            names << (in_.remaining_bytes() > 0 ? anyText(in_) : QStringLiteral("T%1").arg(i));
        return TextList(names);
    }

    FieldTable answerFields() {
        if (in_.ConsumeIntegralInRange(0, 7) == 0)
            return toFieldTable(
                decoded(readerprotocol::decodeFields).value_or(readerprotocol::FieldsAnswer{}));
        if (in_.ConsumeIntegralInRange(0, 15) == 0)
            return FieldTable::unreadable();
        QList<FieldRow> rows;
        const int count = in_.ConsumeIntegralInRange(0, maxFields);
        for (int i = 0; i < count && in_.remaining_bytes() > 0; ++i)
            rows.append(FieldRow{anyText(in_), anyNumberText(in_), anyNumberText(in_), anyText(in_),
                                 anyNumberText(in_)});
        return FieldTable(rows);
    }

private:
    // An answer as bytes off the pipe; nothing when they do not decode, as the client then treats it.
    template <typename Answer>
    std::optional<Answer> decoded(std::optional<Answer> (*decode)(std::string_view)) {
        const std::string payload = in_.ConsumeRandomLengthString(4096);
        return decode(payload);
    }

    FuzzedDataProvider& in_;
    TableList tables_;
    qint64 fieldRows_ = 0;
};

class QuietWindow : public WindowOps {
public:
    explicit QuietWindow(ConversionOptions options) : options_(std::move(options)) {}
    ConversionOptions readOptions() override { return options_; }
    void setScriptText(const QString& text) override { script_ = text; }
    QString scriptText() override { return script_; }
    void appendScript(const QString& piece) override { script_ += piece; }
    void repaintScript() override {}
    void setProgress(const QString& caption) override { lastCaption_ = caption; }
    void uncheckCreatePermissions() override { options_.CreatePermissions = false; }
    void showMessage(const QString& text) override { messages_ << text; }

    const QString& script() const { return script_; }
    const QString& lastCaption() const { return lastCaption_; }
    const QStringList& messages() const { return messages_; }

private:
    ConversionOptions options_;
    QString script_;
    QString lastCaption_;
    QStringList messages_;
};

ConversionOptions fuzzedOptions(FuzzedDataProvider& in) {
    ConversionOptions options;
    options.DatabasePath = in.ConsumeIntegralInRange(0, 15) == 0 ? anyText(in) : QStringLiteral("/db/x.mdb");
    options.IncludeSystemTables = in.ConsumeBool();
    options.ScriptType = in.PickValueInArray(
        {QStringLiteral("Access SQL"), QStringLiteral("T-SQL"), QStringLiteral("access sql"), QString()});
    options.CreateGo = in.ConsumeBool();
    options.CreateIndexes = in.ConsumeBool();
    options.CreatePrimaryKey = in.ConsumeBool();
    options.ModifyIllegalCharacters = in.ConsumeBool();
    options.StripSpaces = in.ConsumeBool();
    options.CreatePermissions = in.ConsumeBool();
    options.GrantSelect = in.ConsumeBool();
    options.GrantInsert = in.ConsumeBool();
    options.GrantDelete = in.ConsumeBool();
    options.GrantUpdate = in.ConsumeBool();
    options.UserNames = anyText(in);
    return options;
}

// The header's first lines for the tables and fields the reader handed out: every table but the skipped
// system tables, and every field row of every table the run asked about.
QString expectedHeaderStart(const ConversionOptions& options, const FuzzedReader& reader) {
    qint64 tables = 0;
    for (const QString& name : std::get<TextList>(reader.tables()).items())
        tables +=
            (options.IncludeSystemTables || (!name.startsWith(QLatin1String("MSys")) && !name.isEmpty()));
    const QString rule(35, QLatin1Char('-'));
    return QStringLiteral("RESULTS: \r\n") + rule + QStringLiteral("\r\nDatabase ~ ") +
           options.DatabasePath.toUpper() + QStringLiteral("\r\nTables   ~ ") + QString::number(tables) +
           QStringLiteral("\r\nFields   ~ ") + QString::number(reader.fieldRows()) + QStringLiteral("\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const ConversionOptions options = fuzzedOptions(in);
    QuietWindow window(options);
    FuzzedReader reader(in);
    const RunOutcome outcome = cmdGenSQL_Click(window, reader);

    // Every run ends in one of four ways: no path, no reader program, an unreadable database, or a script
    // under its header, followed by one message when some tables could not be read.
    const QStringList& messages = window.messages();
    switch (outcome.ending) {
    case RunOutcome::Ending::NoPath:
        if (messages != QStringList{QStringLiteral("You must select a DB first. Exiting...")} ||
            !window.script().isEmpty())
            std::abort();
        break;
    case RunOutcome::Ending::ReaderUnavailable:
        if (messages.size() != 1 || !window.script().isEmpty())
            std::abort();
        break;
    case RunOutcome::Ending::DatabaseUnreadable:
        if (messages.size() != 2 ||
            messages[1] != QLatin1String("This DB doesn't appear to be the correct format. Exiting...") ||
            !window.script().isEmpty())
            std::abort();
        break;
    case RunOutcome::Ending::Stopped: // this window never asks the run to stop
        std::abort();
    case RunOutcome::Ending::PartlyRead:
    case RunOutcome::Ending::Done: {
        const QString message = unreadTablesMessage(outcome);
        if (messages != (message.isEmpty() ? QStringList() : QStringList{message}) ||
            (outcome.ending == RunOutcome::Ending::PartlyRead) == outcome.unreadableTables.isEmpty() ||
            window.lastCaption() != QLatin1String("Done...") ||
            !window.script().startsWith(expectedHeaderStart(options, reader)))
            std::abort();
        break;
    }
    }
    return 0;
}
