#pragma once
// veltrane-cli's progress on a terminal: one line on standard error that updates in place.

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

// The progress line on a terminal, redrawn at most ten times a second.
class ProgressLine {
public:
    explicit ProgressLine(bool shown) : shown_(shown) { clock_.start(); }
    ~ProgressLine() {
        if (drawn_)
            std::fputs("\r\033[K", stderr);
    }
    void update(const QString& table, qint64 rows, int tableNumber, int tableCount) {
        if (!shown_ || (drawn_ && clock_.elapsed() < 100))
            return;
        clock_.restart();
        drawn_ = true;
        std::fprintf(stderr, "\r\033[K%s: %lld rows (table %d of %d, %d%%)", table.toLocal8Bit().constData(),
                     static_cast<long long>(rows), tableNumber + 1, tableCount,
                     tableCount > 0 ? 100 * tableNumber / tableCount : 100);
        std::fflush(stderr);
    }

private:
    bool shown_;
    bool drawn_ = false;
    QElapsedTimer clock_;
};

// A line on a terminal that says where a run of many databases stands, redrawn whenever that changes and
// cleared before anything else is printed.
class StatusLine {
public:
    explicit StatusLine(bool shown) : shown_(shown) {}
    ~StatusLine() { clear(); }
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;
    void show(const QString& text) {
        if (!shown_)
            return;
        drawn_ = true;
        std::fprintf(stderr, "\r\033[K%s", text.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    void clear() {
        if (!drawn_)
            return;
        drawn_ = false;
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }

private:
    bool shown_;
    bool drawn_ = false;
};
