#pragma once
// The program's message box: one OK button, no icon, caption "Veltrane", modal to its parent.
// Tests redirect every message to a hook so nothing waits for a click.

#include <QString>
#include <functional>

class QWidget;

void ShowMessageBox(QWidget* parent, const QString& text);

// While a hook is set, ShowMessageBox hands the text to it instead of opening a box. Pass an empty hook to
// undo.
using MessageHook = std::function<void(const QString&)>;
void SetMessageHookForTests(MessageHook hook);
