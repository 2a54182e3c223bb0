#pragma once
// Makes a damaged copy smaller while it keeps showing the same outcome, so the copy kept for a regression
// test is small: pages are cut off the end, then whole pages are zeroed, as long as the outcome stays.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <functional>

using OutcomeOf = std::function<QString(const QByteArray&)>;

QByteArray shrinkCopy(const QByteArray& bytes, const QString& outcome, const OutcomeOf& outcomeOf,
                      int pageSize, const QDeadlineTimer& budget);
