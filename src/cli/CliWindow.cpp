#include "CliWindow.h"

#include <algorithm>
#include <cstdio>

namespace {

// Turns every CR LF of the bytes into LF, in place.
void toLineFeeds(QByteArray& bytes) {
    const qsizetype first = bytes.indexOf("\r\n");
    if (first < 0)
        return;
    char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    char* to = begin + first;
    for (const char* from = to; from != end; ++from) {
        if (*from == '\r' && from + 1 != end && from[1] == '\n')
            continue;
        *to++ = *from;
    }
    bytes.truncate(to - begin);
}

} // namespace

void CliWindow::setScriptText(const QString& text) {
    header_.clear();
    body_.clear();
    encoder_ = QStringEncoder(QStringEncoder::Utf8);
    appendScript(text);
}

void CliWindow::appendScript(const QString& piece) {
    // Encoded straight behind what is there, into room grown by doubling (a buffer grown to each piece's
    // exact size would be moved at every append).
    const qsizetype used = body_.size();
    const qsizetype needed = used + encoder_.requiredSpace(piece.size());
    if (needed > body_.capacity())
        body_.reserve(std::max(needed, 2 * body_.capacity()));
    body_.resize(needed);
    char* const start = body_.data();
    const char* end = encoder_.appendToBuffer(start + used, piece);
    body_.truncate(end - start);
}

void CliWindow::setProgress(const QString& caption) {
    if (verbose_)
        std::fprintf(stderr, "%s\n", caption.toLocal8Bit().constData());
}

void CliWindow::showMessage(const QString& text) {
    messages_ << text;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QByteArray CliWindow::headerUtf8(bool lineFeeds) const {
    QByteArray bytes = header_.toUtf8();
    if (lineFeeds)
        toLineFeeds(bytes);
    return bytes;
}

const QByteArray& CliWindow::bodyUtf8(bool lineFeeds) {
    if (lineFeeds)
        toLineFeeds(body_);
    return body_;
}
