#pragma once
// The window operations of a worker thread of the window (a save with rows, a migration): the options it
// was started with, the messages kept for the window to show when it is done, and nothing painted.

#include "WindowOps.h"

#include <QStringList>

class WorkerWindow : public WindowOps {
public:
    explicit WorkerWindow(const ConversionOptions& options) : options_(options) {}
    ConversionOptions readOptions() override { return options_; }
    void setScriptText(const QString&) override {}
    QString scriptText() override { return QString(); }
    void appendScript(const QString&) override {}
    void repaintScript() override {}
    void setProgress(const QString&) override {}
    bool showsProgress() const override { return false; }
    void uncheckCreatePermissions() override { options_.CreatePermissions = false; }
    void showMessage(const QString& text) override { messages << text; }

    QStringList messages;

private:
    ConversionOptions options_;
};
