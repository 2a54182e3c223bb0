#pragma once
// The option values a conversion run and the writers read, taken from the main window's controls (or from
// the command line) once per run.

#include <QString>
#include <QStringList>

// How the complete scripts' text columns compare, sort and make unique (--text-case).
enum class TextCase {
    AsServer,    // by the server's default, as the scripts always did
    Insensitive, // without regard to case, as Access does
    Sensitive,   // with regard to case
};

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
    bool CreateViews = true;                   // complete scripts end with views of the saved queries
    TextCase CaseOfTexts = TextCase::AsServer; // --text-case
};

// What a GRANT statement gives the users: REFERENCES always, then the checked permissions in box order.
inline QStringList grantedPermissions(const ConversionOptions& options) {
    QStringList permissions{QStringLiteral("REFERENCES")};
    if (options.GrantSelect)
        permissions << QStringLiteral("SELECT");
    if (options.GrantInsert)
        permissions << QStringLiteral("INSERT");
    if (options.GrantDelete)
        permissions << QStringLiteral("DELETE");
    if (options.GrantUpdate)
        permissions << QStringLiteral("UPDATE");
    return permissions;
}
