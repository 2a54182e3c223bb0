#pragma once
// Asks for a password on the terminal without showing it.

#include <QString>
#include <optional>

// nullopt when there is no terminal to ask on.
std::optional<QString> askPassword(const QString& prompt);
