#pragma once
// The window operations for the command line: the script collects in memory, messages go to standard
// error, and progress captions too when asked for.

#include "WindowOps.h"
#include <QStringList>

class CliWindow : public WindowOps {
public:
    CliWindow(const ConversionOptions& options, bool verbose) : options_(options), verbose_(verbose) {}

    ConversionOptions readOptions() override { return options_; }
    void setScriptText(const QString& text) override { script_ = text; }
    QString scriptText() override { return script_; }
    void appendScript(const QString& piece) override { script_ += piece; }
    void repaintScript() override {}
    void setProgress(const QString& caption) override;
    void uncheckCreatePermissions() override { options_.CreatePermissions = false; }
    void showMessage(const QString& text) override;

    const QString& script() const { return script_; }
    const QStringList& messages() const { return messages_; }

private:
    ConversionOptions options_;
    bool verbose_;
    QString script_;
    QStringList messages_;
};
