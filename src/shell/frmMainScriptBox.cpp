// The main window's script box and its painting during a run: the run appends to the script, and the window
// shows what was written and the caption at most once a frame.

#include "RunInputGuard.h"
#include "frmMain.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

// The shortest time between two paints of the window during a conversion run: one frame at 40 frames a
// second.
constexpr qint64 paintIntervalMs = 25;

} // namespace

void frmMain::changeScript(const std::function<void()>& change) {
    changingScript = true;
    // The run's own writing is not for the user to undo, and an undo record per append would double the
    // memory a large script takes.
    txtSQL->setUndoRedoEnabled(false);
    change();
    txtSQL->setUndoRedoEnabled(true);
    changingScript = false;
}

void frmMain::setScriptText(const QString& text) {
    showPendingScript();
    changeScript([&] {
        // The run ends by putting its header in front of what it wrote: insert just the header rather than
        // laying out the whole script again.
        if (scriptExact && !script.isEmpty() && text.size() > script.size() && text.endsWith(script)) {
            QTextCursor start(txtSQL->document());
            start.insertText(text.left(text.size() - script.size()));
            // The caret went along with the appends; a new text starts with it at the beginning.
            txtSQL->setTextCursor(QTextCursor(txtSQL->document()));
        } else {
            txtSQL->setPlainText(text);
        }
    });
    script = text;
    shownLength = script.size();
    scriptExact = true;
    repaintScript();
}

QString frmMain::scriptText() {
    if (scriptExact) {
        return script;
    }
    return txtSQL->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void frmMain::appendScript(const QString& piece) {
    if (!scriptExact) {
        script = scriptText();
        shownLength = script.size();
        scriptExact = true;
    }
    script += piece;
    // During a run the box takes what was written at the next paint, in one piece: thousands of small
    // inserts would cost more than the run itself.
    if (!running) {
        showPendingScript();
    }
}

void frmMain::showPendingScript() {
    if (!scriptExact || shownLength >= script.size()) {
        return;
    }
    const QString piece = script.mid(shownLength);
    shownLength = script.size();
    changeScript([&] {
        QTextCursor end(txtSQL->document());
        end.movePosition(QTextCursor::End);
        end.insertText(piece);
    });
}

void frmMain::repaintScript() {
    txtSQL->viewport()->update();
    paintNow();
}

void frmMain::setProgress(const QString& text) {
    caption = text;
    captionPending = true;
    // A run sets a caption per field; only the one shown at a paint needs laying out.
    if (!running) {
        showPendingCaption();
    }
    paintNow();
}

void frmMain::showPendingCaption() {
    if (!captionPending) {
        return;
    }
    captionPending = false;
    const QRect before = lblOut->geometry();
    lblOut->setText(caption);
    lblOut->adjustSize();
    // A shorter caption uncovers part of the old one: paint both areas.
    client->update(before.united(lblOut->geometry()));
}

void frmMain::showPending() {
    showPendingCaption();
    showPendingScript();
}

// A run keeps the user-interface thread from its start to its end, so the window paints only when asked
// here. Painting is done at most once per frame: a large database sets thousands of captions a second, and
// painting each of them would take longer than the run itself, yet no eye could tell the difference. The same
// pass answers the window system (an uncovered window is painted again, a close request is noted); clicks
// and keys that came meanwhile are dropped by the run's input guard, never kept for after the run.
void frmMain::paintNow() {
    if (!sinceLastPaint.isValid() || sinceLastPaint.hasExpired(paintIntervalMs)) {
        showPending();
        RunInputGuard::processEventsDroppingInput();
        sinceLastPaint.start();
    }
}
