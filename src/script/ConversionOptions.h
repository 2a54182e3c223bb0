#pragma once
// The option values a conversion run and the writers read, taken from the main window's controls (or from
// the command line) once per run.

#include <QString>

// Three-state check box values as the window and the settings file hold them.
enum class CheckState : int { Unchecked = 0, Checked = 1, Grayed = 2 };

struct ConversionOptions {
    QString DatabasePath;             // as typed, never trimmed
    bool IncludeSystemTables = false; // chkMS: only an unchecked box leaves system tables out
    QString ScriptType = QStringLiteral("Access SQL");
    bool CreateGo = false;
    bool CreateIndexes = true;
    bool CreatePrimaryKey = true;
    bool ModifyIllegalCharacters = true;
    bool StripSpaces = false;
    bool ChangeSpaces = true; // stored with the settings; a run treats "not StripSpaces" as change
    bool CreatePermissions = false;
    bool GrantSelect = true;
    bool GrantInsert = true;
    bool GrantDelete = true;
    bool GrantUpdate = true;
    QString UserNames;
};

// Every option test is "checked" (state 1), so a grayed box counts as off...
inline bool isOn(CheckState state) {
    return state == CheckState::Checked;
}
// ...except the system-tables box, whose test is "not unchecked", so a grayed box there counts as on.
inline bool isNotOff(CheckState state) {
    return state != CheckState::Unchecked;
}
