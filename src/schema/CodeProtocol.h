#pragma once
// The answer to a request for the application's objects and VBA source (RequestKind::Code), shared by the
// reader process and the program (plain C++, library veltrane_protocol). One frame:
//
//   Failure, [without a failure: n x Object, m x Module, j x Macro, k x text warning]
//   Object: text name, u32 kind (0 Form ... 4 DataAccessPage)
//   Module: text name, u32 kind (0 Standard, 1 Class, 2 Document), text source
//   Macro: text name, text definition
//
// A kind past the last makes the frame malformed.

#include "ReaderProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readerprotocol {

// The kinds of object the catalog (MSysObjects) names beside tables and queries.
enum class ObjectKind : std::uint32_t { Form = 0, Report, Macro, Module, DataAccessPage };

struct ApplicationObject {
    std::string name;
    ObjectKind kind = ObjectKind::Form;
    bool operator==(const ApplicationObject&) const = default;
};

// A standard module (.bas), a class module (.cls), or the module behind a form or report (Form_NAME,
// Report_NAME, also written as .cls).
enum class ModuleKind : std::uint32_t { Standard = 0, Class, Document };

struct ProjectModule {
    std::string name;
    ModuleKind kind = ModuleKind::Standard;
    std::string source; // UTF-8: the Attribute lines, then the code, with the line ends as stored (CR LF)
    bool operator==(const ProjectModule&) const = default;
};

// A macro that the database keeps as XML (Access 2010 and later), its XML in UTF-8.
struct MacroText {
    std::string name;
    std::string xml;
    bool operator==(const MacroText&) const = default;
};

struct CodeAnswer {
    std::optional<Failure> failure;
    std::vector<ApplicationObject> objects; // in catalog order
    std::vector<ProjectModule> modules;     // in the project's order
    std::vector<MacroText> macros;          // in stored order
    std::vector<std::string> warnings;      // what of the project could not be read, and why
    bool operator==(const CodeAnswer&) const = default;
};

std::string encode(const CodeAnswer& answer);
std::optional<CodeAnswer> decodeCode(std::string_view payload);

} // namespace readerprotocol
