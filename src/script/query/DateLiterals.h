#pragma once
// What an Access #date# literal stands for: Access reads #m/d/yyyy# whatever the locale, and #yyyy-mm-dd#,
// each with an optional time; a time alone is on day zero (1899-12-30).

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

struct DateLiteral {
    QDate date;
    QTime time;
};

// The date and time of a literal's text ("1/15/2024", "2024-01-15 10:30:00", "10:30 PM"); none when it is not
// a date Access would read the same way everywhere (a month's name, a year before 100).
std::optional<DateLiteral> readDateLiteral(const QString& text);
