#include "VbaProject.h"

#include "StreamBytes.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <cstdint>
#include <memory>

using namespace readerprotocol;

namespace {

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
using InputPtr = std::unique_ptr<GsfInput, ObjectUnref>;
using InfilePtr = std::unique_ptr<GsfInfile, ObjectUnref>;

// The dir stream's record ids ([MS-OVBA] 2.3.4.2) that this reading looks at.
enum DirRecord : std::uint16_t {
    ProjectCodePage = 0x0003,
    ProjectVersion = 0x0009, // its size field says 4, and 6 bytes follow
    DirTerminator = 0x0010,
    ModuleName = 0x0019,
    ModuleStreamName = 0x001A,
    ModuleProcedural = 0x0021,
    ModuleClassOrDocument = 0x0022,
    ModuleTerminator = 0x002B,
    ModuleOffset = 0x0031,
    ModuleStreamNameUnicode = 0x0032,
    ModuleNameUnicode = 0x0047,
};
constexpr std::uint32_t projectVersionSize = 6;

struct DirModule {
    std::string name;   // in the project's code page
    std::string name16; // UTF-16LE, when the dir has it
    std::string stream; // in the project's code page
    std::string stream16;
    std::optional<std::uint32_t> offset;
    bool procedural = false;
};

struct Dir {
    unsigned codePage = 1252;
    std::vector<DirModule> modules;
    bool complete = false; // read to its terminator
};

Dir parseDir(std::string_view bytes) {
    Dir dir;
    DirModule module;
    std::size_t at = 0;
    while (at + 6 <= bytes.size()) {
        const std::uint16_t id = u16(bytes, at);
        const std::uint32_t size = id == ProjectVersion ? projectVersionSize : u32(bytes, at + 2);
        at += 6;
        if (size > bytes.size() - at)
            return dir;
        const std::string_view data = bytes.substr(at, size);
        at += size;
        switch (id) {
        case ProjectCodePage:
            if (size >= 2)
                dir.codePage = u16(data, 0);
            break;
        case ModuleName:
            module = DirModule{};
            module.name = data;
            break;
        case ModuleNameUnicode:
            module.name16 = data;
            break;
        case ModuleStreamName:
            module.stream = data;
            break;
        case ModuleStreamNameUnicode:
            module.stream16 = data;
            break;
        case ModuleOffset:
            if (size == 4)
                module.offset = u32(data, 0);
            break;
        case ModuleProcedural:
            module.procedural = true;
            break;
        case ModuleTerminator:
            dir.modules.push_back(std::move(module));
            module = DirModule{};
            break;
        case DirTerminator:
            dir.complete = true;
            return dir;
        default:
            break;
        }
    }
    return dir;
}

std::string fromUtf16(std::string_view bytes) {
    return utf16ToUtf8(utf16Units(bytes, false)).value_or(std::string());
}

// The text in UTF-8 from the code page; a text that is not valid in it is read as Latin-1, and lossy set.
std::string fromCodePage(std::string_view bytes, unsigned codePage, bool& lossy) {
    const std::string charset = codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
    gsize written = 0;
    GText text(
        g_convert(bytes.data(), gssize(bytes.size()), "UTF-8", charset.c_str(), nullptr, &written, nullptr));
    if (text)
        return std::string(text.get(), written);
    lossy = true;
    text.reset(
        g_convert(bytes.data(), gssize(bytes.size()), "UTF-8", "ISO-8859-1", nullptr, &written, nullptr));
    return text ? std::string(text.get(), written) : std::string();
}

// The text with every line ending in CR LF, as the VBA editor writes its files.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c != '\0') {
            out += c;
        }
    }
    return out;
}

// The decompressed source of a module stream from offset, or nothing when it is not a compressed
// container there.
std::optional<std::string> inflateSource(const std::string& stream, std::uint32_t offset) {
    if (offset >= stream.size())
        return std::nullopt;
    return decompressVba(std::string_view(stream).substr(offset));
}

// The names the PROJECT stream gives as document modules ("DocClass=NAME/&H00000000", or
// "Document=NAME/..."), in the project's code page.
std::vector<std::string> documentModules(std::string_view project) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < project.size()) {
        std::size_t end = project.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = project.size();
        const std::string_view line = project.substr(at, end - at);
        at = end + 1;
        if (line.starts_with('['))
            break; // the sections after the project's own properties
        for (const std::string_view key : {std::string_view("DocClass="), std::string_view("Document=")})
            if (line.starts_with(key)) {
                const std::string_view value = line.substr(key.size());
                names.emplace_back(value.substr(0, value.rfind('/')));
            }
    }
    return names;
}

// True when the PROJECT stream's DPB property holds a password's hash: without a password it encrypts a
// single byte, at most 11 bytes with its seed, version, key, ignored bytes and length ([MS-OVBA] 2.4.4).
bool lockedWithPassword(std::string_view project) {
    const std::string_view key = "\nDPB=\"";
    const std::size_t at = project.find(key);
    if (at == std::string_view::npos)
        return false;
    const std::size_t start = at + key.size();
    const std::size_t end = project.find('"', start);
    constexpr std::size_t unlockedHexLength = 22;
    return end != std::string_view::npos && end - start > unlockedHexLength;
}

} // namespace

std::optional<std::string> decompressVba(std::string_view container) {
    // [MS-OVBA] 2.4.1: a signature byte 1, then chunks of at most 4098 bytes, each a two-byte header (its
    // size less 3 in the low 12 bits, 0b011 above them, and the top bit set when the chunk is compressed)
    // and its bytes.
    constexpr std::size_t chunkData = 4096;
    if (container.empty() || container[0] != '\x01')
        return std::nullopt;
    std::string out;
    std::size_t at = 1;
    while (at + 2 <= container.size()) {
        const std::uint16_t header = u16(container, at);
        if ((header >> 12 & 0x7) != 0x3)
            return out.empty() ? std::nullopt : std::optional<std::string>(out); // damage: what came before
        const std::size_t end = std::min(container.size(), at + (header & 0x0FFF) + 3);
        const std::string_view data = container.substr(at + 2, end - at - 2);
        at = end;
        if (!(header & 0x8000)) {
            out += data.substr(0, chunkData);
            continue;
        }
        InputPtr chunk(gsf_input_memory_new(reinterpret_cast<const guint8*>(data.data()),
                                            gsf_off_t(data.size()), FALSE));
        GByteArray* bytes = chunk ? gsf_msole_inflate(chunk.get(), 0) : nullptr;
        if (!bytes)
            return out.empty() ? std::nullopt : std::optional<std::string>(out);
        // A chunk never holds more than 4096 bytes; what a damaged one gives beyond them is not its text.
        out.append(reinterpret_cast<const char*>(bytes->data), std::min<std::size_t>(bytes->len, chunkData));
        g_byte_array_free(bytes, TRUE);
    }
    return out;
}

VbaProjectRead readVbaProject(const VbaStreams& streams, std::string_view projectText) {
    return readVbaModules(
        streams("dir"), [&](const std::string&, const std::string& stream) { return streams(stream); },
        projectText);
}

VbaProjectRead readVbaModules(const std::optional<std::string>& dirStream,
                              const VbaModuleStreams& moduleStreams, std::string_view projectText) {
    VbaProjectRead read;
    if (!dirStream) {
        read.warnings.push_back("the VBA project has no dir stream: its modules cannot be found");
        return read;
    }
    const std::optional<std::string> dirBytes = decompressVba(*dirStream);
    if (!dirBytes) {
        read.warnings.push_back(
            "the VBA project's dir stream cannot be decompressed: its modules cannot be found");
        return read;
    }
    const Dir dir = parseDir(*dirBytes);
    if (!dir.complete)
        read.warnings.push_back("the VBA project's dir stream is damaged: modules after " +
                                std::to_string(dir.modules.size()) + " may be missing");
    if (lockedWithPassword(projectText))
        read.warnings.push_back("the VBA project is locked with a password: its modules are read as they are "
                                "stored, without it");
    const std::vector<std::string> documents = documentModules(projectText);
    for (const DirModule& entry : dir.modules) {
        bool lossy = false;
        ProjectModule module;
        module.name =
            entry.name16.empty() ? fromCodePage(entry.name, dir.codePage, lossy) : fromUtf16(entry.name16);
        if (module.name.empty()) {
            read.warnings.push_back("a module of the VBA project has no name: it is left out");
            continue;
        }
        module.kind = entry.procedural ? ModuleKind::Standard
                      : std::find(documents.begin(), documents.end(), entry.name) != documents.end()
                          ? ModuleKind::Document
                          : ModuleKind::Class;
        const std::string streamName = entry.stream16.empty()
                                           ? fromCodePage(entry.stream, dir.codePage, lossy)
                                           : fromUtf16(entry.stream16);
        const std::optional<std::string> stream =
            moduleStreams(module.name, streamName.empty() ? module.name : streamName);
        if (!stream) {
            read.warnings.push_back("module " + module.name + ": its stream is not in the VBA project");
            continue;
        }
        const std::optional<std::string> source =
            entry.offset ? inflateSource(*stream, *entry.offset) : std::nullopt;
        if (!source) {
            read.warnings.push_back("module " + module.name + ": its source cannot be decompressed");
            continue;
        }
        module.source = withCrLf(fromCodePage(*source, dir.codePage, lossy));
        if (lossy)
            read.warnings.push_back("module " + module.name + ": some of its text is not in code page " +
                                    std::to_string(dir.codePage) + " and was read as Latin-1");
        read.modules.push_back(std::move(module));
    }
    return read;
}

VbaProjectRead readVbaCompoundFile(std::string_view bytes) {
    VbaProjectRead read;
    InputPtr input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()), gsf_off_t(bytes.size()), FALSE));
    InfilePtr file(input ? gsf_infile_msole_new(input.get(), nullptr) : nullptr);
    if (!file) {
        read.warnings.push_back("the VBA project is not a readable compound file");
        return read;
    }
    const auto streamBytes = [&](GsfInput* stream) -> std::optional<std::string> {
        const gsf_off_t size = gsf_input_size(stream);
        // No stream of the file is longer than the file itself.
        if (size < 0 || std::uint64_t(size) > bytes.size())
            return std::nullopt;
        std::string out(std::size_t(size), '\0');
        if (size > 0 && !gsf_input_read(stream, std::size_t(size), reinterpret_cast<guint8*>(out.data())))
            return std::nullopt;
        return out;
    };
    InputPtr vba(gsf_infile_child_by_vname(file.get(), "VBA", "VBAProject", "VBA", nullptr));
    if (!vba || !GSF_IS_INFILE(vba.get())) {
        read.warnings.push_back("the compound file holds no VBA project");
        return read;
    }
    InputPtr projectStream(gsf_infile_child_by_vname(file.get(), "VBA", "VBAProject", "PROJECT", nullptr));
    const std::optional<std::string> project =
        projectStream ? streamBytes(projectStream.get()) : std::optional<std::string>();
    GsfInfile* storage = GSF_INFILE(vba.get());
    return readVbaProject(
        [&](const std::string& name) -> std::optional<std::string> {
            InputPtr stream(gsf_infile_child_by_name(storage, name.c_str()));
            if (!stream)
                return std::nullopt;
            return streamBytes(stream.get());
        },
        project.value_or(std::string()));
}
