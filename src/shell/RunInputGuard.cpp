#include "RunInputGuard.h"

#include <QCoreApplication>
#include <QEvent>

RunInputGuard::RunInputGuard() {
    QCoreApplication::instance()->installEventFilter(this);
}

RunInputGuard::~RunInputGuard() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void RunInputGuard::processEventsDroppingInput() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool RunInputGuard::isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool RunInputGuard::eventFilter(QObject*, QEvent* event) {
    if (blocking_ && isUserInput(event->type())) {
        event->accept(); // taken: nobody else sees it, nothing keeps it
        return true;
    }
    return false;
}

RunInputGuard::Pause::Pause(RunInputGuard& guard) : guard_(guard), wasBlocking_(guard.blocking_) {
    // What came before the box was for the window, not for the box: drop it first.
    if (wasBlocking_)
        processEventsDroppingInput();
    guard_.blocking_ = false;
}

RunInputGuard::Pause::~Pause() {
    guard_.blocking_ = wasBlocking_;
}
