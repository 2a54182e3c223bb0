#include "SpaceNames.h"

#include <QFileInfo>
#include <QSet>

namespace {

// PostgreSQL keeps 63 bytes of a name, MySQL 64 characters; room is left for a number that makes it unique.
constexpr int longest = 56;

QString safeName(const QString& file) {
    // Accents go with the letters they sit on: Bücher is bucher, not b_cher.
    const QString decomposed = QFileInfo(file).completeBaseName().normalized(QString::NormalizationForm_KD);
    QString name;
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        const QChar lower = c.toLower();
        if ((lower >= QLatin1Char('a') && lower <= QLatin1Char('z')) ||
            (lower >= QLatin1Char('0') && lower <= QLatin1Char('9')))
            name += lower;
        else if (!name.endsWith(QLatin1Char('_')))
            name += QLatin1Char('_');
    }
    while (name.endsWith(QLatin1Char('_')))
        name.chop(1);
    while (name.startsWith(QLatin1Char('_')))
        name.remove(0, 1);
    if (name.isEmpty())
        return QStringLiteral("db");
    if (!name.front().isLetter())
        name.prepend(QStringLiteral("db_"));
    return name.left(longest);
}

} // namespace

QStringList spaceNames(const QStringList& files) {
    QStringList names;
    QSet<QString> taken;
    for (const QString& file : files) {
        const QString safe = safeName(file);
        QString name = safe;
        for (int n = 2; taken.contains(name); ++n)
            name = safe + QStringLiteral("_%1").arg(n);
        taken << name;
        names << name;
    }
    return names;
}
