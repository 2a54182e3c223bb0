#pragma once
// Keeps the user's clicks and keys away from the program while a conversion run holds the user-interface
// thread. The run lets the window system in between tables so the window paints and a close request is
// seen; input that arrives then is dropped, not kept for later: a click or a key that came while the
// options were being read must not change them, or start another run, after the run has ended. Paint,
// resize, expose and close events pass. Installed on the application for as long as it lives.

#include <QEvent>
#include <QObject>

class RunInputGuard : public QObject {
public:
    RunInputGuard();
    ~RunInputGuard() override;
    RunInputGuard(const RunInputGuard&) = delete;
    RunInputGuard& operator=(const RunInputGuard&) = delete;

    // Lets the window system deliver what it has queued, dropping the input among it. Called between
    // tables (at most once a frame) and once more at the end of a run, so nothing queued during the run
    // outlives it.
    static void processEventsDroppingInput();

    // Whether an event is input from the user: mouse, keys, wheel, touch, tablet, shortcuts, drags and
    // context menus.
    static bool isUserInput(QEvent::Type type);

    // While a message box waits for its OK, the user must be able to answer it.
    class Pause {
    public:
        explicit Pause(RunInputGuard& guard);
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        RunInputGuard& guard_;
        bool wasBlocking_;
    };

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool blocking_ = true;
};
