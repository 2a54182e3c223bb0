#pragma once
// The window operations for the command line: the script collects in memory, messages go to standard
// error, and progress captions too when asked for.

#include "WindowOps.h"
#include <QStringList>

class CliWindow : public WindowOps {
public:
    CliWindow(const ConversionOptions& options, bool verbose) : options_(options), verbose_(verbose) {}

    ConversionOptions readOptions() override { return options_; }
    void setScriptText(const QString& text) override {
        header_.clear();
        script_ = text;
    }
    QString scriptText() override { return script(); }
    void appendScript(const QString& piece) override { script_ += piece; }
    void repaintScript() override {}
    // Kept apart until the script is written: a results header in front of megabytes of script then costs
    // no copy of them.
    void prependScript(const QString& text) override { header_.prepend(text); }
    void setProgress(const QString& caption) override;
    bool showsProgress() const override { return verbose_; }
    void uncheckCreatePermissions() override { options_.CreatePermissions = false; }
    void showMessage(const QString& text) override;

    QString script() const { return header_ + script_; }
    // The script in UTF-8, its lines ended by LF instead of CR LF when asked.
    QByteArray scriptUtf8(bool lineFeeds) const;
    const QStringList& messages() const { return messages_; }

private:
    ConversionOptions options_;
    bool verbose_;
    QString header_;
    QString script_;
    QStringList messages_;
};
