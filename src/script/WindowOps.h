#pragma once
// Everything the conversion run and the writers need of the main window. The window implements it; the
// command line and the tests have their own implementations, so the script logic never sees a widget.

#include "ConversionOptions.h"

class WindowOps {
public:
    virtual ~WindowOps() = default;

    virtual ConversionOptions readOptions() = 0;

    // txtSQL: replace the whole text (and repaint at once), read it, add a piece at its end (cheap however
    // long the text already is), repaint it.
    virtual void setScriptText(const QString& text) = 0;
    virtual QString scriptText() = 0;
    virtual void appendScript(const QString& piece) = 0;
    virtual void repaintScript() = 0;
    // Puts text in front of the whole text; a window that can do it without copying the text says so.
    virtual void prependScript(const QString& text) { setScriptText(text + scriptText()); }

    // lblOut: set the caption and repaint it at once.
    virtual void setProgress(const QString& caption) = 0;
    // Whether progress captions are shown at all: the runs do not make those nobody sees (a caption per
    // field of a schema of thousands of tables).
    virtual bool showsProgress() const { return true; }

    // Sets chkCrePer to unchecked; the window applies its permission rule when the state changes.
    virtual void uncheckCreatePermissions() = 0;

    // A message box with one OK button, no icon and the application's title as caption.
    virtual void showMessage(const QString& text) = 0;

    // Asked before each table: true ends the run there, without a results header (the window is closing
    // and nobody will read the script). Nothing else stops a run.
    virtual bool stopRequested() { return false; }
};
