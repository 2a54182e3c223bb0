#pragma once
// Where veltrane-cli finds the password of an encrypted database: the first line of --password-file FILE,
// else the environment variable VELTRANE_PASSWORD, else, when standard input is a terminal, a prompt that
// does not echo. Never an argument: that would show in the process list.

#include <QString>
#include <optional>
#include <string>
#include <variant>

struct NoPasswordGiven {};
struct PasswordError {
    QString message;
};

// The password from the file (when one is named) or the environment.
std::variant<std::string, NoPasswordGiven, PasswordError> givenPassword(const QString& passwordFile);

// Whether a prompt may ask: standard input is a terminal.
bool canAskPassword();

// Asks on the terminal, without echo, for the password of the database at path; nothing when the input
// ends first.
std::optional<std::string> askPassword(const QString& databasePath);

class ReaderProcess;

// Hands the reader the password given, or, with none given and a terminal to ask on, the one the user types
// when the database turns out to be encrypted. The exit status when the run cannot go on: a password file
// that cannot be read.
std::optional<int> supplyPassword(const QString& passwordFile, const QString& databasePath,
                                  ReaderProcess& engine);
