// MySQL and MariaDB: backquoted names of up to 64 characters, InnoDB tables in utf8mb4, AUTO_INCREMENT (which
// needs a key that starts with the column), UUID() as an expression default, backslash escapes in strings.
#include "TargetDialect.h"

const TargetDialect& mySqlDialect() {
    static const TargetDialect dialect{Target::MySql,
                                       QStringLiteral("MySQL"),
                                       QLatin1Char('`'),
                                       QLatin1Char('`'),
                                       64,
                                       false,
                                       false,
                                       false,
                                       true,
                                       false,
                                       false,
                                       QStringLiteral(" AUTO_INCREMENT"),
                                       QStringLiteral("(UUID())"),
                                       QStringLiteral("TRUE"),
                                       QStringLiteral("FALSE"),
                                       true,
                                       QStringLiteral(" ENGINE=InnoDB DEFAULT CHARSET=utf8mb4")};
    return dialect;
}
