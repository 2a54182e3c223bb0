#include "PasswordPrompt.h"

#include <cstdio>
#include <string>
#include <termios.h>

std::optional<QString> askPassword(const QString& prompt) {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (!tty)
        return std::nullopt;
    const int fd = fileno(tty);
    termios before{};
    const bool terminal = tcgetattr(fd, &before) == 0;
    if (terminal) {
        termios quiet = before;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    std::fputs(prompt.toLocal8Bit().constData(), tty);
    std::fflush(tty);
    std::string line;
    for (int c = std::fgetc(tty); c != EOF && c != '\n'; c = std::fgetc(tty))
        line += char(c);
    if (terminal)
        tcsetattr(fd, TCSAFLUSH, &before);
    std::fclose(tty);
    QString password = QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
    line.assign(line.size(), '\0');
    return password;
}
