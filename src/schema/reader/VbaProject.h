#pragma once
// The modules of a VBA project ([MS-OVBA]) as text: the project's "dir" stream (compressed) names each
// module, its stream and where in that stream its compressed source starts, after the compiled code; the
// source is decompressed and converted to UTF-8 from the project's code page. The PROJECT
// stream beside the VBA storage tells document modules (forms, reports) from class modules, and whether
// the project is locked with a password. Plain C++ over libgsf, without libmdb, so that tests and the fuzz
// target can feed it bytes directly. Nothing is run or compiled.
//
// libgsf's own GsfInfileMSVBA cannot serve here: it looks each module's stream up by the module's name,
// where Access names module streams apart from their modules, and it keeps no module's kind. Nor can its
// gsf_vba_inflate: it cuts every chunk but the last ones at 4094 bytes whatever its header says, which
// garbles a source that compresses to more than about 4 KB, and it takes uncompressed chunks for
// compressed ones. The chunks are therefore framed here and each compressed one inflated by libgsf's
// gsf_msole_inflate, the decompression proper.

#include "CodeProtocol.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The bytes of the stream of the project's VBA storage named name (UTF-8), or nothing when there is none.
using VbaStreams = std::function<std::optional<std::string>(const std::string& name)>;

// The bytes of the stream named stream that holds the module named module (both UTF-8), or nothing when
// there is none: for projects that keep each module's streams apart, where every module's stream has the
// same name (Access 97).
using VbaModuleStreams =
    std::function<std::optional<std::string>(const std::string& module, const std::string& stream)>;

struct VbaProjectRead {
    std::vector<readerprotocol::ProjectModule> modules; // in the order of the dir stream
    std::vector<std::string> warnings;                  // what could not be read, and why
};

// A compressed container ([MS-OVBA] 2.4.1) decompressed; nothing when it does not start as one. Damage ends
// it at the last whole chunk.
std::optional<std::string> decompressVba(std::string_view container);

// The modules of the VBA storage whose streams are given, with the text of its PROJECT stream (empty when
// there is none).
VbaProjectRead readVbaProject(const VbaStreams& streams, std::string_view projectText);

// The modules the dir stream (compressed, as stored; nothing when the project has none) names, each read
// from the stream moduleStreams gives, with the text of the PROJECT stream (empty when there is none).
VbaProjectRead readVbaModules(const std::optional<std::string>& dirStream,
                              const VbaModuleStreams& moduleStreams, std::string_view projectText);

// The modules of a project kept as a compound file ([MS-CFB]) whose VBA storage is VBA/VBAProject/VBA, as
// Access 2000-2003 keep theirs.
VbaProjectRead readVbaCompoundFile(std::string_view bytes);
