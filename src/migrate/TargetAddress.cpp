#include "TargetAddress.h"

#include <QUrl>
#include <QUrlQuery>
#include <libpq-fe.h>

namespace {

const QString passwordRefused =
    QStringLiteral("a password in the address is refused: anyone who can list processes would see it; use "
                   "--password-prompt or the client's own ways (PGPASSWORD, ~/.pgpass, MYSQL_PWD, "
                   "~/.my.cnf)");

std::variant<AddressError, TargetAddress> postgres(const QString& text) {
    char* error = nullptr;
    const QByteArray utf8 = text.toUtf8();
    PQconninfoOption* options = PQconninfoParse(utf8.constData(), &error);
    if (!options) {
        const QString why = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("out of memory");
        PQfreemem(error);
        return AddressError{QStringLiteral("not a PostgreSQL address: ") + why};
    }
    bool password = false;
    for (const PQconninfoOption* o = options; o->keyword; ++o)
        if (qstrcmp(o->keyword, "password") == 0 && o->val && *o->val)
            password = true;
    PQconninfoFree(options);
    if (password)
        return AddressError{passwordRefused};
    return TargetAddress{.kind = TargetKind::PostgreSql, .conninfo = text};
}

std::variant<AddressError, TargetAddress> mysql(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return AddressError{QStringLiteral("not a MySQL address: ") + url.errorString()};
    if (!url.password().isEmpty())
        return AddressError{passwordRefused};
    TargetAddress address{.kind = TargetKind::MySql};
    address.user = url.userName();
    address.host = url.host();
    address.port = url.port(0);
    address.database = url.path().mid(1);
    if (address.database.isEmpty() || address.database.contains(QLatin1Char('/')))
        return AddressError{QStringLiteral("a MySQL address names its database: mysql://[user@][host][:port]/"
                                           "DATABASE[?socket=PATH]")};
    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("socket"))
            address.socket = value;
        else if (key == QLatin1String("password"))
            return AddressError{passwordRefused};
        else
            return AddressError{
                QStringLiteral("unknown MySQL address parameter '%1' (only socket)").arg(key)};
    }
    return address;
}

} // namespace

std::variant<AddressError, TargetAddress> parseTargetAddress(const QString& text) {
    if (text.startsWith(QLatin1String("sqlite:"))) {
        QString path = text.mid(7);
        if (path.startsWith(QLatin1String("//")))
            path = path.mid(2);
        if (path.isEmpty())
            return AddressError{QStringLiteral("an SQLite address names a file: sqlite:PATH")};
        return TargetAddress{.kind = TargetKind::Sqlite, .path = path};
    }
    if (text.startsWith(QLatin1String("mysql://")) || text.startsWith(QLatin1String("mariadb://")))
        return mysql(text);
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://")) ||
        text.contains(QLatin1Char('=')))
        return postgres(text);
    return AddressError{QStringLiteral("unknown target '%1': use postgresql://..., a libpq keyword string, "
                                       "mysql://..., mariadb://... or sqlite:PATH")
                            .arg(text)};
}

QString describeTarget(const TargetAddress& address) {
    switch (address.kind) {
    case TargetKind::PostgreSql:
        return address.space.isEmpty() ? address.conninfo
                                       : QStringLiteral("%1 schema %2").arg(address.conninfo, address.space);
    case TargetKind::MySql: {
        QString text = QStringLiteral("mysql://");
        if (!address.user.isEmpty())
            text += address.user + QLatin1Char('@');
        text += address.host;
        if (address.port)
            text += QStringLiteral(":%1").arg(address.port);
        text += QLatin1Char('/') + (address.space.isEmpty() ? address.database : address.space);
        if (!address.socket.isEmpty())
            text += QStringLiteral("?socket=") + address.socket;
        return text;
    }
    case TargetKind::Sqlite:
        return QStringLiteral("sqlite:") + address.path;
    }
    return {};
}
