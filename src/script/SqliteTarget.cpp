// SQLite: no users and no ALTER TABLE ... ADD CONSTRAINT, so foreign keys go inside CREATE TABLE (the server
// checks them only when rows change, so a table may refer to one created after it); an AutoNumber is an
// INTEGER PRIMARY KEY AUTOINCREMENT; index names share the database's one namespace, without regard to case.
#include "TargetDialect.h"

const TargetDialect& sqliteDialect() {
    static const TargetDialect dialect{Target::Sqlite,
                                       QStringLiteral("SQLite"),
                                       QLatin1Char('"'),
                                       QLatin1Char('"'),
                                       0,
                                       false,
                                       true,
                                       true,
                                       false,
                                       false,
                                       false,
                                       QString(),
                                       QString(),
                                       QStringLiteral("1"),
                                       QStringLiteral("0"),
                                       false,
                                       QString()};
    return dialect;
}
