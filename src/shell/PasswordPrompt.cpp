#include "PasswordPrompt.h"

#include "ReaderProcess.h"
#include "ReaderProtocol.h"

#include <QInputDialog>
#include <QLineEdit>

std::optional<QString> AskDatabasePassword(QWidget* parent, const QString& path) {
    bool accepted = false;
    const QString password = QInputDialog::getText(
        parent, QStringLiteral("Password Required"),
        QStringLiteral("The database is encrypted:\n%1\n\nEnter its password:").arg(path),
        QLineEdit::Password, QString(), &accepted);
    if (!accepted)
        return std::nullopt;
    return password;
}

std::string PasswordForRun(QWidget* parent, ReaderProcess& reader, const QString& path,
                           const PasswordDialog& dialog) {
    if (path.trimmed().isEmpty())
        return {};
    // The table list of a file without its password says whether it is encrypted.
    const TableList tables = reader.GetTableNames(path);
    const auto* failure = std::get_if<ReadFailure>(&tables);
    if (!failure || failure->number != int(readerprotocol::NotValidPassword))
        return {};
    std::optional<QString> password = dialog(parent, path);
    if (!password)
        return {};
    std::string bytes = password->toStdString();
    password->fill(QChar(u'\0'));
    return bytes;
}
