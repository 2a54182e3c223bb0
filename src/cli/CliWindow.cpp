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
