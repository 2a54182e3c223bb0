#include "CliWindow.h"

#include <cstdio>

void CliWindow::setProgress(const QString& caption) {
    if (verbose_)
        std::fprintf(stderr, "%s\n", caption.toLocal8Bit().constData());
}

void CliWindow::showMessage(const QString& text) {
    messages_ << text;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QByteArray CliWindow::scriptUtf8(bool lineFeeds) const {
    QByteArray bytes = header_.toUtf8();
    bytes += script_.toUtf8();
    if (lineFeeds)
        bytes.replace("\r\n", "\n");
    return bytes;
}
