#pragma once
// Saving the script box to a file: where the save dialog starts, and the write itself.

#include <QString>
#include <optional>

// The file the save dialog offers: "<database name>.sql" in the database's folder, or "script.sql" in the
// working folder while no database path is given.
QString SuggestedScriptPath(const QString& databasePath);

// Writes the text as UTF-8, as it is (line breaks included), beside the target and renamed over it, so a
// failed save never leaves half a script or spoils an earlier one. Nothing on success; otherwise the
// message for the user.
std::optional<QString> WriteScriptFile(const QString& path, const QString& text);
