#include "CsvExport.h"

#include "ChildTableRows.h"

#include "CompleteScript.h"
#include "RowLiterals.h"
#include "SchemaReader.h"
#include "WindowOps.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

namespace {

void appendTextField(std::string& out, const QString& text) {
    const std::string utf8 = text.toStdString();
    appendCsvField(out, DataValue{ValueKind::Text, 0, 0, utf8});
}

} // namespace

QString safeFileName(const QString& name, const QString& extension, QStringList& taken) {
    QString base;
    for (const QChar c : name)
        base += c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c) ? QLatin1Char('_') : c;
    while (base.endsWith(QLatin1Char('.')) || base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    if (base.startsWith(QLatin1Char('.')))
        base[0] = QLatin1Char('_');
    if (base.isEmpty())
        base = QStringLiteral("table");
    QString file = base + extension;
    for (int n = 2; taken.contains(file, Qt::CaseInsensitive); ++n)
        file = QStringLiteral("%1 (%2)%3").arg(base, QString::number(n), extension);
    taken << file;
    return file;
}

QString csvFileName(const QString& table, QStringList& taken) {
    return safeFileName(table, QStringLiteral(".csv"), taken);
}

CsvOutcome runCsvExport(const ConversionOptions& options, const DataRequest& request, WindowOps& window,
                        SchemaReader& reader, const QString& folder, const RowProgress& progress) {
    CsvOutcome outcome;
    // The plan of a script that keeps every name as it is decides which tables and columns have values.
    CompleteScript script(sqliteDialect(), options);
    if (!planChosenTables(script, options, request, window, reader, outcome.run, outcome.missingTables))
        return outcome;
    // Made with std::filesystem, which says why a folder cannot be made where QDir::mkpath does not.
    std::error_code madeError;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), madeError);
    if (madeError) {
        outcome.unwritten = folder;
        outcome.unwrittenReason = QString::fromStdString(madeError.message());
        return outcome;
    }
    QStringList taken;
    const ScriptPlan& plan = script.plan();
    // Writes the file of the table t from the rows of readName, each batch made by prepare; false when the
    // run ends here.
    const auto exportTable = [&](const TablePlan& t, const QString& readName, int i,
                                 const PrepareBatch& prepare) {
        const QString path = QDir(folder).filePath(csvFileName(t.table->name, taken));
        QSaveFile file(path);
        bool ok = file.open(QIODevice::WriteOnly);
        std::string text;
        QList<int> columns;
        for (int c = 0; c < t.columns.size(); ++c) {
            if (!t.columns[c].written)
                continue;
            if (!columns.isEmpty())
                text += ',';
            appendTextField(text, t.columns[c].column->name);
            columns << c;
        }
        text += "\r\n";
        qint64 rows = 0;
        qint64 problems = 0;
        bool malformed = false;
        bool stopped = false;
        const auto flush = [&] {
            ok = ok && file.write(text.data(), qint64(text.size())) == qint64(text.size());
            text.clear();
            return ok;
        };
        const RowsRead read = reader.ReadTableRows(options.DatabasePath, readName, [&](const RowBatch& read) {
            const RowBatch& batch = prepare(read);
            if (qsizetype(batch.columns) != t.table->columns.size()) {
                malformed = true;
                return false;
            }
            for (std::size_t r = 0; r < batch.rows(); ++r, ++rows) {
                const DataValue* values = batch.row(r);
                bool first = true;
                for (int c : columns) {
                    if (!first)
                        text += ',';
                    first = false;
                    problems += appendCsvField(text, values[c]) != ValueProblem::None;
                }
                text += "\r\n";
            }
            if (progress && !progress(t.table->name, rows, i, int(plan.tables.size()))) {
                stopped = true;
                return false;
            }
            return text.size() < (1 << 20) || flush();
        });
        if (stopped) {
            file.cancelWriting();
            outcome.run.ending = RunOutcome::Ending::Stopped;
            return false;
        }
        if (!flush() || !file.flush() || !file.commit()) {
            outcome.unwrittenReason = file.errorString(); // before cancelWriting, which puts its own there
            file.cancelWriting();
            outcome.unwritten = path;
            return false;
        }
        outcome.files << path;
        outcome.rows += rows;
        if (problems > 0)
            outcome.warnings << QStringLiteral(
                                    "Table %1: %2 dates outside the years 100 to 9999 or unreadable "
                                    "values written as empty fields")
                                    .arg(t.table->name)
                                    .arg(problems);
        if (read.failure || !read.complete || malformed) {
            outcome.warnings << QStringLiteral("Table %1: %2 rows written; %3")
                                    .arg(t.table->name)
                                    .arg(rows)
                                    .arg(read.failure ? read.failure->description
                                                      : QStringLiteral("the rest could not be read"));
            outcome.run.unreadableTables << t.table->name;
        }
        if (window.showsProgress())
            window.setProgress(QStringLiteral("%1: %2 rows").arg(t.table->name).arg(rows));
        return true;
    };

    for (int i = 0; i < plan.tables.size(); ++i) {
        const TablePlan& t = plan.tables[i];
        if (!t.written)
            continue;
        const bool goOn = writeWithChildTables(t, [&](const TablePlan& table, const QString& readName,
                                                      const PrepareBatch& prepare,
                                                      const std::function<QStringList()>& lateNotes) {
            if (!exportTable(table, readName, i, prepare))
                return false;
            if (lateNotes)
                outcome.warnings << lateNotes();
            return true;
        });
        if (!goOn)
            return outcome;
    }
    outcome.run.ending =
        outcome.run.unreadableTables.isEmpty() ? RunOutcome::Ending::Done : RunOutcome::Ending::PartlyRead;
    return outcome;
}
