#pragma once
// The window operations for the command line: the script collects in memory, messages go to standard
// error, and progress captions too when asked for.

#include "WindowOps.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringList>

class CliWindow : public WindowOps {
public:
    CliWindow(const ConversionOptions& options, bool verbose) : options_(options), verbose_(verbose) {}

    ConversionOptions readOptions() override { return options_; }
    void setScriptText(const QString& text) override;
    QString scriptText() override { return script(); }
    void appendScript(const QString& piece) override;
    void repaintScript() override {}
    // Kept apart until the script is written: a results header in front of megabytes of script then costs
    // no copy of them.
    void prependScript(const QString& text) override { header_.prepend(text); }
    void setProgress(const QString& caption) override;
    bool showsProgress() const override { return verbose_; }
    void uncheckCreatePermissions() override { options_.CreatePermissions = false; }
    void showMessage(const QString& text) override;

    QString script() const { return header_ + QString::fromUtf8(body_); }
    // The script in UTF-8, in two parts to be written one after the other: the header put in front last and
    // the body. Lines end in LF instead of CR LF when asked; the body is changed in place for that.
    QByteArray headerUtf8(bool lineFeeds) const;
    const QByteArray& bodyUtf8(bool lineFeeds);
    const QStringList& messages() const { return messages_; }

private:
    ConversionOptions options_;
    bool verbose_;
    QString header_;
    // The script as it is appended, already in UTF-8: the only copy of it there is, half the size of its
    // text, and nothing left to convert at the end.
    QByteArray body_;
    QStringEncoder encoder_{QStringEncoder::Utf8};
    QStringList messages_;
};
