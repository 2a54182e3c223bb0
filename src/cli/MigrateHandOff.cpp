#include "MigrateHandOff.h"

#include "ExitStatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// Beside veltrane-cli in a build, in the package's private folder once installed (beside the reader).
QString migrateProgram() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/veltrane-cli-migrate");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QDir::cleanPath(folder + QStringLiteral("/../libexec/veltrane/veltrane-cli-migrate"));
}

} // namespace

int handOffMigration(char* argv[]) {
    const QByteArray program = QFile::encodeName(migrateProgram());
    std::fflush(stdout);
    std::fflush(stderr);
    ::execv(program.constData(), argv);
    printError(QStringLiteral("cannot start %1: %2")
                   .arg(QFile::decodeName(program), QString::fromLocal8Bit(std::strerror(errno))));
    return Unavailable;
}
