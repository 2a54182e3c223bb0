#pragma once
// The window operations as a record: options set by the test, every message, caption and append kept.

#include "WindowOps.h"
#include <QStringList>

class RecordingWindow : public WindowOps {
public:
    ConversionOptions options;
    QString script;
    QStringList appends;
    QStringList captions;
    QStringList messages;
    int scriptRepaints = 0;
    int uncheckCalls = 0;
    int stopAfterTables = -1; // how many tables may begin before the run is asked to stop; -1: never
    int stopQuestions = 0;

    ConversionOptions readOptions() override { return options; }
    void setScriptText(const QString& text) override { script = text; }
    QString scriptText() override { return script; }
    void appendScript(const QString& piece) override {
        appends << piece;
        script += piece;
    }
    void repaintScript() override { ++scriptRepaints; }
    void setProgress(const QString& caption) override { captions << caption; }
    void uncheckCreatePermissions() override {
        ++uncheckCalls;
        options.CreatePermissions = false;
    }
    void showMessage(const QString& text) override { messages << text; }
    bool stopRequested() override { return stopAfterTables >= 0 && stopQuestions++ >= stopAfterTables; }
};

// Lines joined with CR LF, each line ended by one.
inline QString crlfLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
