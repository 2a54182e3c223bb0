#include "AssessMain.h"

#include "AssessDatabase.h"
#include "AssessmentHtml.h"
#include "AssessmentText.h"
#include "CliArguments.h"
#include "CliPassword.h"
#include "CsvExport.h"
#include "DatabaseFiles.h"
#include "ExitStatus.h"
#include "ProgressLine.h"
#include "ReaderProcess.h"
#include "TextOutput.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

std::optional<int> assessIfAsked(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption assess(QStringLiteral("assess"));
    const QCommandLineOption html(QStringLiteral("html"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption code(QStringLiteral("code"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption values(QStringLiteral("values"));
    parser.addOptions({assess, html, passwordFile, code, values});
    if (!arguments.contains(QStringLiteral("--assess")))
        return std::nullopt;
    // The help is the main command line's, which says what --assess does.
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        const CliArguments help = ParseCliArguments({arguments.value(0), QStringLiteral("--help")});
        if (const auto* text = std::get_if<CliText>(&help))
            std::fputs(text->text.toLocal8Bit().constData(), stdout);
        return Success;
    }
    if (!parser.parse(arguments)) {
        printError(
            parser.errorText() +
            QStringLiteral(" (--assess takes --html, --code, --values and --password-file; see --help)"));
        return Usage;
    }
    if (parser.isSet(html) && parser.value(html).isEmpty()) {
        printError(QStringLiteral("--html needs a file (see --help)"));
        return Usage;
    }
    if (parser.isSet(code) && parser.value(code).isEmpty()) {
        printError(QStringLiteral("--code needs a folder (see --help)"));
        return Usage;
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty()) {
        printError(QStringLiteral("no database or folder given (see --help)"));
        return Usage;
    }

    ReaderProcess reader;
    reader.start();
    const auto password = givenPassword(parser.value(passwordFile));
    if (const auto* error = std::get_if<PasswordError>(&password)) {
        printError(error->message);
        return NoInput;
    }
    if (const auto* given = std::get_if<std::string>(&password))
        reader.setPassword(*given);

    QStringList notFound;
    const QStringList files = databaseFiles(paths, notFound);
    Assessment assessment;
    for (const QString& path : notFound)
        assessment << missingDatabase(path);
    {
        StatusLine progress(::isatty(STDERR_FILENO) == 1);
        QStringList takenFolders;
        for (int i = 0; i < files.size(); ++i) {
            progress.show(
                QStringLiteral("Assessing %1 of %2: %3").arg(i + 1).arg(files.size()).arg(files[i]));
            // Each database's code in a folder of its own, named for its file and unique in DIR.
            const QString folder =
                parser.isSet(code)
                    ? QDir(parser.value(code))
                          .filePath(safeFileName(QFileInfo(files[i]).fileName(), {}, takenFolders))
                    : QString();
            assessment << assessDatabase(files[i], reader, folder, parser.isSet(values));
        }
    }
    if (assessment.isEmpty()) {
        printError(
            QStringLiteral("no .mdb or .accdb file found in %1").arg(paths.join(QStringLiteral(", "))));
        return NoInput;
    }
    const QByteArray text =
        (parser.isSet(html) ? assessmentHtml(assessment) : assessmentText(assessment)).toUtf8();
    if (const auto failure = writeText(text, parser.value(html))) {
        printCannotWrite(parser.value(html), *failure);
        return CannotCreate;
    }
    for (const DatabaseFacts& db : assessment)
        if (!db.code.unwritten.isEmpty())
            return CannotCreate;
    for (const DatabaseFacts& db : assessment)
        if (!db.readWhole())
            return DataError;
    return Success;
}
