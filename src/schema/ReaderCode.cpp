// The client's side of the request for the application's objects and VBA source: one answer frame, turned
// into Qt values. A reader that dies, stays silent or answers garbage is a failed read, as for every request.

#include "ReaderProcess.h"

#include "CodeProtocol.h"
#include "ReaderAnswers.h"

using namespace readerprotocol;

std::variant<ReadFailure, ProjectCode> ReaderProcess::ReadProjectCode(const QString& path) {
    const std::optional<std::string> payload = exchange(requestFrame(RequestKind::Code, path));
    const std::optional<CodeAnswer> answer = payload ? decodeCode(*payload) : std::nullopt;
    if (!answer) {
        stop();
        return failedRead(path);
    }
    if (answer->failure)
        return toReadFailure(*answer->failure);
    ProjectCode code;
    for (const ApplicationObject& object : answer->objects)
        code.objects.append(AppObject{QString::fromStdString(object.name), AppObjectKind(int(object.kind))});
    for (const ProjectModule& module : answer->modules)
        code.modules.append(CodeModule{QString::fromStdString(module.name), CodeModuleKind(int(module.kind)),
                                       QString::fromStdString(module.source)});
    for (const MacroText& macro : answer->macros)
        code.macros.append(CodeMacro{QString::fromStdString(macro.name), QString::fromStdString(macro.xml)});
    for (const std::string& warning : answer->warnings)
        code.warnings.append(QString::fromStdString(warning));
    return code;
}
