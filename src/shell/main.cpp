// veltrane: the desktop program. Its one argument, a database file, goes into the path box.

#include "ProgramArguments.h"
#include "Startup.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

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

// Help, version and usage errors need no window. Nothing when the program is to start.
std::optional<int> answeredWithoutWindow(const ProgramArguments& arguments) {
    if (const auto* text = std::get_if<ProgramText>(&arguments)) {
        std::fputs(text->text.toLocal8Bit().constData(), stdout);
        return EXIT_SUCCESS;
    }
    if (const auto* error = std::get_if<ProgramUsageError>(&arguments)) {
        std::fprintf(stderr, "veltrane: %s (see --help)\n", error->message.toLocal8Bit().constData());
        return 64;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        QStringList raw;
        for (int i = 0; i < argc; ++i)
            raw << QString::fromLocal8Bit(argv[i]);
        if (const std::optional<int> status = answeredWithoutWindow(ParseProgramArguments(raw)))
            return *status;
        std::fprintf(stderr,
                     "veltrane: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
                     "set); veltrane-cli converts a database without one.\n");
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    const ProgramArguments arguments = ParseProgramArguments(QCoreApplication::arguments());
    if (const std::optional<int> status = answeredWithoutWindow(arguments))
        return *status;
    return RunProgram(std::get<ProgramStart>(arguments).database);
}
