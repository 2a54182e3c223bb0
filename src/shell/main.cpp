// veltrane: the desktop program. It takes no command-line arguments of its own.

#include "Startup.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would stop the program with a message about its platform plugins; say what is wrong.
bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto set = [](const char* name) { return !qEnvironmentVariableIsEmpty(name); };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "veltrane: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
                     "set); veltrane-cli converts a database without one.\n");
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    return RunProgram();
}
