#include "Access97Project.h"

#include "StreamBytes.h"

#include <glib.h>

#include <algorithm>
#include <memory>

using namespace readerprotocol;

namespace {

constexpr std::size_t valueHeaderSize = 8;
constexpr std::size_t lengthSize = 4;
constexpr std::string_view projectRowName = "MSysDb";
constexpr std::string_view dirStreamName = "dir";
// The Type of the rows of the modules behind forms and reports.
constexpr std::int32_t formModuleType = 32768;
constexpr std::int32_t reportModuleType = 32772;

std::string utf16Name(std::string_view bytes) {
    return utf16ToUtf8(utf16Units(bytes, true)).value_or(std::string());
}

bool sameName(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    const GText foldedA(g_utf8_casefold(a.c_str(), gssize(a.size())));
    const GText foldedB(g_utf8_casefold(b.c_str(), gssize(b.size())));
    return foldedA && foldedB && std::string_view(foldedA.get()) == std::string_view(foldedB.get());
}

const Access97ModuleRow* rowNamed(const std::vector<Access97ModuleRow>& rows, const std::string& name) {
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const Access97ModuleRow& row) {
        return !row.value.empty() && sameName(row.name, name);
    });
    return found == rows.end() ? nullptr : &*found;
}

const std::string* streamNamed(const ModuleValueStreams& value, const std::string& name) {
    for (const auto& [streamName, bytes] : value.streams)
        if (sameName(streamName, name))
            return &bytes;
    return nullptr;
}

} // namespace

ModuleValueStreams streamsOfModuleValue(std::string_view value) {
    ModuleValueStreams read;
    if (value.size() < valueHeaderSize)
        return read;
    std::size_t at = valueHeaderSize;
    while (at < value.size()) {
        const std::size_t nameSize = std::uint8_t(value[at]);
        ++at;
        if (nameSize == 0 || nameSize > value.size() - at || value.size() - at - nameSize < lengthSize)
            return read;
        std::string name = utf16Name(value.substr(at, nameSize));
        at += nameSize;
        const std::uint32_t length = u32(value, at);
        at += lengthSize;
        if (name.empty())
            return read;
        if (length > value.size() - at) {
            read.streams.emplace_back(std::move(name), std::string(value.substr(at)));
            return read;
        }
        read.streams.emplace_back(std::move(name), std::string(value.substr(at, length)));
        at += length;
    }
    read.complete = true;
    return read;
}

VbaProjectRead readAccess97Project(const std::vector<Access97ModuleRow>& rows) {
    const Access97ModuleRow* projectRow = rowNamed(rows, std::string(projectRowName));
    if (!projectRow) {
        VbaProjectRead read;
        read.warnings.push_back("MSysModules2 holds no VBA project");
        return read;
    }
    const ModuleValueStreams project = streamsOfModuleValue(projectRow->value);
    const std::string* dir = streamNamed(project, std::string(dirStreamName));
    std::vector<std::string> cutShort;
    VbaProjectRead read = readVbaModules(
        dir ? std::optional<std::string>(*dir) : std::nullopt,
        [&](const std::string& module, const std::string& stream) -> std::optional<std::string> {
            const Access97ModuleRow* row = rowNamed(rows, module);
            if (!row || row == projectRow)
                return std::nullopt;
            const ModuleValueStreams streams = streamsOfModuleValue(row->value);
            const std::string* bytes = streamNamed(streams, stream);
            if (!bytes)
                return std::nullopt;
            if (!streams.complete && &streams.streams.back().second == bytes)
                cutShort.push_back(module);
            return *bytes;
        },
        std::string_view());
    for (ProjectModule& module : read.modules) {
        const Access97ModuleRow* row = rowNamed(rows, module.name);
        if (module.kind == ModuleKind::Class && row &&
            (row->type == formModuleType || row->type == reportModuleType))
            module.kind = ModuleKind::Document;
    }
    for (const std::string& module : cutShort)
        read.warnings.push_back("module " + module +
                                ": its row of MSysModules2 is damaged: some of its source may be missing");
    if (!project.complete)
        read.warnings.insert(read.warnings.begin(),
                             "the VBA project's row of MSysModules2 is damaged: some of it may be missing");
    return read;
}
