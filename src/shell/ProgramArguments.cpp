#include "ProgramArguments.h"

#include <QCommandLineParser>
#include <QFileInfo>

ProgramArguments ParseProgramArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the tables of an Access database as an Access SQL or T-SQL script."));
    parser.addPositionalArgument(QStringLiteral("database"),
                                 QStringLiteral("The .mdb or .accdb file to put into the \"Access DB\" box."),
                                 QStringLiteral("[DATABASE]"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOptions({help, version});

    if (!parser.parse(arguments))
        return ProgramUsageError{parser.errorText()};
    if (parser.isSet(help))
        return ProgramText{parser.helpText()};
    if (parser.isSet(version))
        return ProgramText{QStringLiteral("veltrane %1\n").arg(QStringLiteral(VELTRANE_VERSION))};
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return ProgramUsageError{QStringLiteral("more than one database given")};
    ProgramStart start;
    // Made absolute, so the path stays right whatever folder the program is started from next time.
    if (!positional.isEmpty() && !positional.first().isEmpty())
        start.database = QFileInfo(positional.first()).absoluteFilePath();
    return start;
}
