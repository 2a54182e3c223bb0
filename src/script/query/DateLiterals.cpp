#include "DateLiterals.h"

#include <QRegularExpression>

std::optional<DateLiteral> readDateLiteral(const QString& text) {
    // A year of one or two digits is 2000-2029 for 0-29 and 1930-1999 for 30-99.
    static const QRegularExpression us(
        QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{4}|\d{1,2})(?:\s+(.*))?$)"));
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:\s+(.*))?$)"));
    static const QRegularExpression clock(
        QStringLiteral(R"(^(\d{1,2}):(\d{2})(?::(\d{2}))?(?:\s*([AaPp][Mm]))?$)"));
    QDate date(1899, 12, 30);
    QString timeText = text.trimmed();
    if (const auto m = us.match(timeText); m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.capturedLength(3) <= 2)
            year += year < 30 ? 2000 : 1900;
        date = QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
        timeText = m.captured(4);
    } else if (const auto m2 = iso.match(timeText); m2.hasMatch()) {
        date = QDate(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
        timeText = m2.captured(4);
    } else if (!clock.match(timeText).hasMatch()) {
        return std::nullopt;
    }
    QTime time(0, 0, 0);
    if (!timeText.isEmpty()) {
        const auto t = clock.match(timeText.trimmed());
        if (!t.hasMatch())
            return std::nullopt;
        int hour = t.captured(1).toInt();
        const QString half = t.captured(4).toUpper();
        if (!half.isEmpty()) {
            if (hour < 1 || hour > 12)
                return std::nullopt;
            hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
        }
        time = QTime(hour, t.captured(2).toInt(), t.captured(3).toInt());
    }
    if (!date.isValid() || !time.isValid() || date.year() < 100)
        return std::nullopt;
    return DateLiteral{date, time};
}
