// veltrane-damage: makes damaged copies of valid databases and runs veltrane-cli on each in both dialects,
// counting scripts, read failures and everything that must never happen (a crash or hang of veltrane-cli,
// a file written anywhere, a changed database). Every copy follows from the run's seed and its number, so
// a run and any single copy of it can be made again.
//
//   veltrane-damage [options] [--generated] SOURCE...    (files, or folders of .mdb/.accdb files)
//
// Exit status: 0 when nothing that must never happen happened, 1 otherwise, 64 on a usage error.

#include "CaseRun.h"
#include "Damage.h"
#include "JetLayout.h"
#include "Shrink.h"
#include "Sources.h"
#include "Tally.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int usageStatus = 64;
constexpr int shrinkBudgetMs = 90'000;

struct Settings {
    quint64 seed = 1;
    quint64 count = 300;
    int jobs = 2;
    RunLimits limits;
    QString keepDir;
    bool verbose = false;
    qint64 onlyCase = -1;
    QString outFile;
    QString sourcesDir;
};

void print(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString outcomeSlug(const QString& outcome) {
    QString slug;
    for (const QChar c : outcome.toLower())
        slug += c.isLetterOrNumber() ? c : QLatin1Char('-');
    return slug;
}

CaseRecord runOne(const QList<SourceDatabase>& sources, const Settings& settings, quint64 index,
                  const QString& workDir) {
    CaseRecord record;
    record.index = index;
    record.source = int(index % quint64(sources.size()));
    const SourceDatabase& source = sources[record.source];
    const DamagedCopy copy = damageCopy(source.bytes, caseSeed(settings.seed, index));
    record.kind = copy.kind;
    record.description = copy.description;
    record.size = copy.bytes.size();
    record.result = runCase(copy.bytes, source.name, workDir, settings.limits);
    return record;
}

QString describe(const CaseRecord& record, const QList<SourceDatabase>& sources) {
    const CaseResult& r = record.result;
    const QString outcome = distinctOutcome(r);
    return QStringLiteral("#%1 %2 [%3] %4 -> %5 | %6%7%8\n")
        .arg(record.index)
        .arg(sources[record.source].name, damageKindName(record.kind), record.description)
        .arg(r.accessSql.message.isEmpty() ? QStringLiteral("script") : r.accessSql.message)
        .arg(r.tSql.message.isEmpty() ? QStringLiteral("script") : r.tSql.message)
        .arg(r.probed ? QStringLiteral(" | ") + readerFateName(r.probe) : QString())
        .arg(outcome.isEmpty() ? QString() : QStringLiteral(" => ") + outcome);
}

// The outcome a copy shows: for the reader's own fates the reader alone is asked, which is much faster.
OutcomeOf outcomeOf(const QString& outcome, const QString& name, const QString& scratch,
                    const RunLimits& limits) {
    if (outcome.startsWith(QLatin1String("FAIL "))) {
        return [=](const QByteArray& bytes) {
            return distinctOutcome(runCase(bytes, name, scratch + QStringLiteral("/shrink"), limits));
        };
    }
    return [=](const QByteArray& bytes) {
        const QString path = scratch + QStringLiteral("/") + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        file.close();
        const ReaderProbe probe = probeReader(path, limits);
        QFile::remove(path);
        return probe.fate == ReaderFate::Answered ? QString() : readerFateName(probe);
    };
}

int zeroPages(const QByteArray& bytes, int pageSize) {
    int count = 0;
    for (qsizetype at = 0; at + pageSize <= bytes.size(); at += pageSize)
        count += bytes.mid(at, pageSize).count('\0') == pageSize ? 1 : 0;
    return count;
}

void keepCases(const Tally& tally, const QList<SourceDatabase>& sources, const Settings& settings,
               const QString& scratch) {
    QDir().mkpath(settings.keepDir);
    for (const KeptCase& kept : tally.kept()) {
        if (!kept.keepable)
            continue;
        const SourceDatabase& source = sources[kept.source];
        const QByteArray damaged = damageCopy(source.bytes, caseSeed(settings.seed, kept.index)).bytes;
        const QByteArray small =
            shrinkCopy(damaged, kept.outcome, outcomeOf(kept.outcome, source.name, scratch, settings.limits),
                       readJetLayout(damaged).pageSize, QDeadlineTimer(shrinkBudgetMs));
        const QString base = QDir(settings.keepDir).filePath(outcomeSlug(kept.outcome));
        QFile data(base + QStringLiteral(".mdb"));
        QFile note(base + QStringLiteral(".txt"));
        if (!data.open(QIODevice::WriteOnly) || !note.open(QIODevice::WriteOnly | QIODevice::Text)) {
            print(QStringLiteral("cannot write %1\n").arg(base));
            continue;
        }
        data.write(small);
        const int pageSize = readJetLayout(damaged).pageSize;
        note.write(QStringLiteral("outcome: %1\nsource: %2 (%3)\nseed: %4\ncopy: %5\ndamage: %6\n"
                                  "shrunk: %7 of %8 bytes kept, %9 pages zeroed\n")
                       .arg(kept.outcome, source.name, source.origin)
                       .arg(settings.seed)
                       .arg(kept.index)
                       .arg(kept.description)
                       .arg(small.size())
                       .arg(damaged.size())
                       .arg(zeroPages(small, pageSize) - zeroPages(damaged.left(small.size()), pageSize))
                       .toUtf8());
        print(QStringLiteral("kept %1.mdb (%2 bytes): %3\n").arg(base).arg(small.size()).arg(kept.outcome));
    }
}

int writeSources(const QList<SourceDatabase>& sources, const QString& folder) {
    QDir().mkpath(folder);
    for (const SourceDatabase& source : sources) {
        QFile file(QDir(folder).filePath(source.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(source.bytes) != source.bytes.size()) {
            std::fprintf(stderr, "veltrane-damage: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

int runOnlyCase(const QList<SourceDatabase>& sources, const Settings& settings, const QString& scratch) {
    const quint64 index = quint64(settings.onlyCase);
    const SourceDatabase& source = sources[int(index % quint64(sources.size()))];
    const DamagedCopy copy = damageCopy(source.bytes, caseSeed(settings.seed, index));
    if (!settings.outFile.isEmpty()) {
        QFile out(settings.outFile);
        if (!out.open(QIODevice::WriteOnly) || out.write(copy.bytes) != copy.bytes.size()) {
            print(QStringLiteral("cannot write %1\n").arg(settings.outFile));
            return 1;
        }
    }
    const CaseRecord record = runOne(sources, settings, index, scratch + QStringLiteral("/case"));
    print(describe(record, sources));
    return distinctOutcome(record.result).startsWith(QLatin1String("FAIL ")) ? 1 : 0;
}

std::optional<Settings> parse(const QCoreApplication& app, QStringList& sourcePaths, bool& generated) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs veltrane-cli on damaged copies of valid databases and counts what happens."));
    parser.addHelpOption();
    parser.addOptions({
        {"seed", "Seed of the run (default 1).", "N", "1"},
        {"count", "Number of damaged copies (default 300).", "N", "300"},
        {"jobs", "Copies checked at the same time (default 2).", "N", "2"},
        {"timeout", "VELTRANE_READER_TIMEOUT of every run, in seconds (default 5).", "S", "5"},
        {"margin", "Seconds past the time limit after which a run counts as hung (default 5).", "S", "5"},
        {"bin", "Folder holding veltrane-cli and veltrane-reader (default: beside this program).", "DIR"},
        {"generated", "Also damage the test databases of the project's database writer."},
        {"keep", "Write the smallest copy of each distinct outcome, shrunk, into DIR.", "DIR"},
        {"case", "Make and check only copy number N of the run.", "N"},
        {"out", "With --case: also write that copy to FILE.", "FILE"},
        {"verbose", "One line per copy."},
        {"sources-to", "Only write the source databases (generated ones included) into DIR.", "DIR"},
    });
    parser.addPositionalArgument("SOURCE", "Valid database files, or folders of them.");
    parser.process(app);

    Settings settings;
    bool ok = true;
    const auto number = [&](const char* name) {
        bool good = false;
        const qulonglong value = parser.value(QLatin1String(name)).toULongLong(&good);
        ok = ok && good;
        return value;
    };
    settings.seed = number("seed");
    settings.count = number("count");
    settings.jobs = int(qBound<qulonglong>(1, number("jobs"), 64));
    settings.limits.timeoutSeconds = int(qBound<qulonglong>(1, number("timeout"), 3600));
    settings.limits.marginSeconds = int(qBound<qulonglong>(0, number("margin"), 3600));
    if (parser.isSet("case"))
        settings.onlyCase = qint64(number("case"));
    if (!ok)
        return std::nullopt;
    const QString bin = parser.isSet("bin") ? parser.value("bin") : QCoreApplication::applicationDirPath();
    settings.limits.cliProgram = QDir(bin).absoluteFilePath(QStringLiteral("veltrane-cli"));
    settings.limits.readerProgram = QDir(bin).absoluteFilePath(QStringLiteral("veltrane-reader"));
    settings.keepDir = parser.value("keep");
    settings.outFile = parser.value("out");
    settings.sourcesDir = parser.value("sources-to");
    settings.verbose = parser.isSet("verbose");
    generated = parser.isSet("generated");
    sourcePaths = parser.positionalArguments();
    return settings;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList sourcePaths;
    bool generated = false;
    const std::optional<Settings> parsed = parse(app, sourcePaths, generated);
    if (!parsed) {
        std::fputs("veltrane-damage: bad number in an option (see --help)\n", stderr);
        return usageStatus;
    }
    const Settings& settings = *parsed;

    QString error;
    QList<SourceDatabase> sources = loadSources(sourcePaths, &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "veltrane-damage: %s\n", qPrintable(error));
        return usageStatus;
    }
    if (generated)
        sources += generatedSources();
    if (sources.isEmpty()) {
        std::fputs("veltrane-damage: no source database (see --help)\n", stderr);
        return usageStatus;
    }
    if (!settings.sourcesDir.isEmpty())
        return writeSources(sources, settings.sourcesDir);
    for (const QString& program : {settings.limits.cliProgram, settings.limits.readerProgram}) {
        if (!QFile::exists(program)) {
            std::fprintf(stderr, "veltrane-damage: %s not found (see --bin)\n", qPrintable(program));
            return usageStatus;
        }
    }

    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fputs("veltrane-damage: cannot make a scratch folder\n", stderr);
        return 1;
    }
    if (settings.onlyCase >= 0)
        return runOnlyCase(sources, settings, scratch.path());

    print(QStringLiteral("veltrane-damage: %1 copies of %2 databases, seed %3, reader time limit %4 s "
                         "(hung after %5 s), %6 jobs\n")
              .arg(settings.count)
              .arg(sources.size())
              .arg(settings.seed)
              .arg(settings.limits.timeoutSeconds)
              .arg(settings.limits.timeoutSeconds + settings.limits.marginSeconds)
              .arg(settings.jobs));
    QElapsedTimer clock;
    clock.start();
    Tally tally;
    std::mutex lock;
    std::atomic<quint64> next{0};
    std::vector<std::thread> workers;
    for (int job = 0; job < settings.jobs; ++job) {
        workers.emplace_back([&, job] {
            const QString workDir = scratch.filePath(QStringLiteral("job%1").arg(job));
            for (quint64 index = next++; index < settings.count; index = next++) {
                const CaseRecord record = runOne(sources, settings, index, workDir);
                const std::lock_guard<std::mutex> guard(lock);
                tally.add(record, sources[record.source].generated);
                if (settings.verbose || distinctOutcome(record.result).startsWith(QLatin1String("FAIL ")))
                    print(describe(record, sources));
                else if (tally.copies() % 1000 == 0)
                    print(QStringLiteral("... %1 copies, %2 s\n")
                              .arg(tally.copies())
                              .arg(clock.elapsed() / 1000));
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();

    print(tally.report());
    print(QStringLiteral("Time: %1 s\n").arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    if (!settings.keepDir.isEmpty())
        keepCases(tally, sources, settings, scratch.path());
    return tally.passed() ? 0 : 1;
}
