#include "CliWindow.h"

#include <QStringEncoder>
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
    // Encoded straight into one buffer of the largest size it can take (the pages it does not fill are never
    // touched), rather than into one buffer per part joined into a third.
    QStringEncoder utf8(QStringEncoder::Utf8);
    QByteArray bytes(utf8.requiredSpace(header_.size() + script_.size()), Qt::Uninitialized);
    char* end = utf8.appendToBuffer(bytes.data(), header_);
    end = utf8.appendToBuffer(end, script_);
    bytes.truncate(end - bytes.constData());
    if (lineFeeds)
        bytes.replace("\r\n", "\n");
    return bytes;
}
