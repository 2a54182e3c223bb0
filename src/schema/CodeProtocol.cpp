#include "CodeProtocol.h"

namespace readerprotocol {

namespace {

// The fewest bytes an object takes (a name and a kind), a module (two texts and a kind), a macro (two
// texts), a warning.
constexpr std::size_t minObjectSize = 2;
constexpr std::size_t minModuleSize = 3;
constexpr std::size_t minMacroSize = 2;
constexpr std::size_t minWarningSize = 1;

} // namespace

std::string encode(const CodeAnswer& answer) {
    Writer out;
    putFailure(out, answer.failure);
    if (answer.failure)
        return out.takeFrame();
    out.u32(std::uint32_t(answer.objects.size()));
    for (const ApplicationObject& object : answer.objects) {
        out.text(object.name);
        out.u32(std::uint32_t(object.kind));
    }
    out.u32(std::uint32_t(answer.modules.size()));
    for (const ProjectModule& module : answer.modules) {
        out.text(module.name);
        out.u32(std::uint32_t(module.kind));
        out.text(module.source);
    }
    out.u32(std::uint32_t(answer.macros.size()));
    for (const MacroText& macro : answer.macros) {
        out.text(macro.name);
        out.text(macro.xml);
    }
    out.u32(std::uint32_t(answer.warnings.size()));
    for (const std::string& warning : answer.warnings)
        out.text(warning);
    return out.takeFrame();
}

std::optional<CodeAnswer> decodeCode(std::string_view payload) {
    Reader in(payload);
    CodeAnswer answer;
    answer.failure = takeFailure(in);
    if (!answer.failure && in.ok()) {
        answer.objects.resize(in.count(minObjectSize));
        for (ApplicationObject& object : answer.objects) {
            object.name = in.text();
            const std::uint32_t kind = in.u32();
            if (kind > std::uint32_t(ObjectKind::DataAccessPage))
                in.fail();
            object.kind = ObjectKind(kind);
        }
        answer.modules.resize(in.count(minModuleSize));
        for (ProjectModule& module : answer.modules) {
            module.name = in.text();
            const std::uint32_t kind = in.u32();
            if (kind > std::uint32_t(ModuleKind::Document))
                in.fail();
            module.kind = ModuleKind(kind);
            module.source = in.text();
        }
        answer.macros.resize(in.count(minMacroSize));
        for (MacroText& macro : answer.macros) {
            macro.name = in.text();
            macro.xml = in.text();
        }
        answer.warnings.resize(in.count(minWarningSize));
        for (std::string& warning : answer.warnings)
            warning = in.text();
    }
    if (!in.finished())
        return std::nullopt;
    return answer;
}

} // namespace readerprotocol
