#include "CliPassword.h"

#include "ExitStatus.h"
#include "ReaderProcess.h"
#include "ReaderProtocol.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <termios.h>
#include <unistd.h>

namespace {

// The line up to its end (LF or CR LF), the end left off.
std::string firstLine(const QByteArray& bytes) {
    qsizetype end = bytes.indexOf('\n');
    if (end < 0)
        end = bytes.size();
    if (end > 0 && bytes.at(end - 1) == '\r')
        --end;
    return std::string(bytes.constData(), std::size_t(end));
}

// Turns the terminal's echo off while it lives.
class NoEcho {
public:
    NoEcho() {
        saved_ = ::tcgetattr(STDIN_FILENO, &old_) == 0;
        if (!saved_)
            return;
        termios quiet = old_;
        quiet.c_lflag &= tcflag_t(~ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~NoEcho() {
        if (saved_)
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &old_);
    }
    NoEcho(const NoEcho&) = delete;
    NoEcho& operator=(const NoEcho&) = delete;

private:
    termios old_{};
    bool saved_ = false;
};

} // namespace

std::variant<std::string, NoPasswordGiven, PasswordError> givenPassword(const QString& passwordFile) {
    if (!passwordFile.isEmpty()) {
        QFile file(passwordFile);
        if (!file.open(QIODevice::ReadOnly))
            return PasswordError{QStringLiteral("cannot read the password file %1").arg(passwordFile)};
        QByteArray bytes = file.read(64 * 1024);
        std::string password = firstLine(bytes);
        bytes.fill('\0');
        return password;
    }
    if (const char* password = std::getenv("VELTRANE_PASSWORD"))
        return std::string(password);
    return NoPasswordGiven{};
}

bool canAskPassword() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<std::string> askPassword(const QString& databasePath) {
    // Echo goes off before the prompt shows: turning it off discards what was typed before.
    const NoEcho noEcho;
    std::fprintf(stderr, "Password for %s: ", databasePath.toLocal8Bit().constData());
    std::fflush(stderr);
    std::string password;
    for (;;) {
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        if (c == '\n')
            break;
        password.push_back(c);
    }
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return password;
}

std::optional<int> supplyPassword(const QString& passwordFile, const QString& databasePath,
                                  ReaderProcess& engine) {
    auto given = givenPassword(passwordFile);
    if (const auto* error = std::get_if<PasswordError>(&given)) {
        printError(error->message);
        return NoInput;
    }
    if (auto* password = std::get_if<std::string>(&given)) {
        engine.setPassword(std::move(*password));
        return std::nullopt;
    }
    if (!canAskPassword())
        return std::nullopt;
    // Only an encrypted file is worth a question: the table list says whether it is one.
    const TableList tables = engine.GetTableNames(databasePath);
    const auto* failure = std::get_if<ReadFailure>(&tables);
    if (!failure || failure->number != int(readerprotocol::NotValidPassword))
        return std::nullopt;
    if (std::optional<std::string> password = askPassword(databasePath))
        engine.setPassword(std::move(*password));
    return std::nullopt;
}
