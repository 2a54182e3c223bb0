#pragma once
// The macros of an Access 2007 or later database, as MSysAccessStorage keeps them under its Scripts storage:
// the stream DirData names each macro and gives its number, and the storage named that number holds the
// macro in its stream Blob.
//
// DirData: 4 bytes, then for each macro a kind byte, a byte giving the size of what follows (the name in
// UTF-16LE, then the number in 4 bytes), the name and the number.
//
// Blob: a 4-byte flags word, then the macro's rows. The first row gives the format's version: its fields 4
// and 5 hold the two numbers as single-byte text ("3" and "3"); with 3 as the second, the texts of the other
// rows are UTF-16LE, before it they are in the database's code page. Every other row starts with its action
// (2 bytes) and its number (2 bytes). Each row then has 14 offsets (2 bytes each, 0xFFFF for an empty
// field: 1 the comment, 2 the condition, 3 the macro name, 4 to 13 the action's arguments), the size of its
// texts (2 bytes), the texts, each ending in a NUL, and 2 bytes.
//
// Access 2010 and later define a macro in XML (a UserInterfaceMacro element) and keep that XML in the
// comments of rows without an action: each such comment holds "_AXL:" and the next piece of it. The rows
// before them are the same macro in the binary form of Access 2007, which is not turned into text here.
// Plain C++, without libmdb, so that tests and the fuzz target can feed it bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct MacroEntry {
    std::string name; // UTF-8
    std::uint32_t number = 0;
};

struct MacroDirectory {
    std::vector<MacroEntry> macros; // in stored order
    bool complete = false;          // read to its end; damage ends it at the last whole entry
};

MacroDirectory readMacroDirectory(std::string_view dirData);

struct MacroBlobRead {
    std::optional<std::string> xml; // UTF-8, when the macro keeps its XML; its declaration says UTF-8
    bool complete = false;          // every row read whole
};

MacroBlobRead readMacroBlob(std::string_view blob);
