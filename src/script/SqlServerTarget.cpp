// SQL Server: bracketed names of up to 128 characters, IDENTITY, NEWID() for generated GUIDs, GO batches.
#include "TargetDialect.h"

const TargetDialect& sqlServerDialect() {
    static const TargetDialect dialect{Target::SqlServer,
                                       QStringLiteral("SQL Server"),
                                       QLatin1Char('['),
                                       QLatin1Char(']'),
                                       128,
                                       false,
                                       false,
                                       false,
                                       true,
                                       true,
                                       false,
                                       QStringLiteral(" IDENTITY(1,1)"),
                                       QStringLiteral("NEWID()"),
                                       QStringLiteral("1"),
                                       QStringLiteral("0"),
                                       false,
                                       QString()};
    return dialect;
}
