#pragma once
// Shows a window that exists at most once. A window that is open comes to the front as it is; one that was
// closed (and so deleted itself) is created afresh, which loads it again.

#include <QPointer>
#include <QWidget>

template <typename Window> Window* showSingle(QPointer<Window>& window, QWidget* parent) {
    if (window.isNull()) {
        window = new Window(parent);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window.data();
}
