#pragma once
// veltrane-cli's exit statuses (those of sysexits.h) and its one way of saying what went wrong.

#include <QString>
#include <cstdio>

enum ExitStatus {
    Success = 0,
    Usage = 64,
    DataError = 65,
    NoInput = 66,
    Unavailable = 69,
    TargetRefused = 70, // --into: the target refused the connection or a statement, or holds other counts
    CannotCreate = 73
};

inline void printError(const QString& text) {
    std::fprintf(stderr, "veltrane-cli: %s\n", text.toLocal8Bit().constData());
}
