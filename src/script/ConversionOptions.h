#pragma once
// The option values a conversion run and the writers read, taken from the main window's controls (or from
// the command line) once per run.

#include <QString>

struct ConversionOptions {
    QString DatabasePath;             // as typed, never trimmed
    bool IncludeSystemTables = false; // chkMS: only an unchecked box leaves system tables out
    QString ScriptType = QStringLiteral("Access SQL");
    bool CreateGo = false;
    bool CreateIndexes = true;
    bool CreatePrimaryKey = true;
    bool ModifyIllegalCharacters = true;
    bool StripSpaces =
        false; // optStrip; when false, spaces become "_" (optChange only matters to the settings)
    bool CreatePermissions = false;
    bool GrantSelect = true;
    bool GrantInsert = true;
    bool GrantDelete = true;
    bool GrantUpdate = true;
    QString UserNames;
};
