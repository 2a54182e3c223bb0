#pragma once
// The window's password dialog for an encrypted database: asked at most once per run, and only when the
// reader finds the file in the box encrypted. The password is never stored: it goes to the reader for the
// one run and is wiped when the run ends.

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;
class ReaderProcess;

// Asks for the password of the database at path; nothing when the user cancels.
using PasswordDialog = std::function<std::optional<QString>(QWidget* parent, const QString& path)>;

// The dialog the window uses: a line edit that shows no characters.
std::optional<QString> AskDatabasePassword(QWidget* parent, const QString& path);

// The password for a run on path: empty when the file is not encrypted or the user cancels (the run then
// ends as for any file it cannot read). reader must have no password when it is asked.
std::string PasswordForRun(QWidget* parent, ReaderProcess& reader, const QString& path,
                           const PasswordDialog& dialog);
