// Fuzzes the reading of a VBA project with libgsf: the input is read as the compound file Access 2000-2003
// keep the project in, and again as the VBA storage of an Access 2007 project, its bytes split into a dir
// stream, one module stream and a PROJECT text (the first two bytes give where the splits fall), and as
// the MSysModules2 rows of an Access 97 project: the project's row (MSysDb) and one row for every module,
// the same bytes split at the same place; and whole as a macro's Blob stream and its list of macros.
// Whatever the bytes, the reading must end with modules and warnings, never a crash or a hang.

#include "Access97Project.h"
#include "MacroDefinition.h"
#include "VbaProject.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MacroBlobRead macro = readMacroBlob(bytes);
    // Each piece of the XML ends at its NUL, so the XML holds none.
    if (macro.xml && macro.xml->find('\0') != std::string::npos)
        std::abort();
    for (const MacroEntry& entry : readMacroDirectory(bytes).macros)
        if (entry.name.empty())
            std::abort();
    const VbaProjectRead compound = readVbaCompoundFile(bytes);
    for (const readerprotocol::ProjectModule& module : compound.modules)
        if (module.name.empty())
            std::abort();
    if (size < 2)
        return 0;
    const std::size_t rest = size - 2;
    const std::size_t dirEnd = rest == 0 ? 0 : data[0] * rest / 255;
    const std::size_t moduleEnd = dirEnd + (rest - dirEnd == 0 ? 0 : data[1] * (rest - dirEnd) / 255);
    const std::string dir(bytes.substr(2, dirEnd));
    const std::string module(bytes.substr(2 + dirEnd, moduleEnd - dirEnd));
    const std::string_view project = bytes.substr(2 + moduleEnd);
    // Every module's stream is the one module stream, so that the dir's offsets land in it.
    const VbaProjectRead storage = readVbaProject(
        [&](const std::string& name) -> std::optional<std::string> { return name == "dir" ? dir : module; },
        project);
    for (const readerprotocol::ProjectModule& one : storage.modules)
        if (one.name.empty())
            std::abort();
    // The module rows are named as Access names a standard module and a form's; the dir may name others,
    // which are then looked for and not found.
    const std::string rest97(bytes.substr(2 + dirEnd));
    const VbaProjectRead access97 = readAccess97Project({
        {"MSysDb", 2, std::string(bytes.substr(2, dirEnd))},
        {"Module1", 32775, rest97},
        {"Form_Form1", 32768, rest97},
    });
    for (const readerprotocol::ProjectModule& one : access97.modules)
        if (one.name.empty())
            std::abort();
    return 0;
}
