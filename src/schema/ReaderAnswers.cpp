#include "ReaderAnswers.h"

namespace {

QStringList toStringList(const std::vector<std::string>& names) {
    QStringList list;
    list.reserve(qsizetype(names.size()));
    for (const std::string& name : names)
        list.append(QString::fromStdString(name));
    return list;
}

} // namespace

ReadFailure toReadFailure(const readerprotocol::Failure& failure) {
    return ReadFailure{int(failure.number), QString::fromStdString(failure.description)};
}

TableList toTableList(const readerprotocol::TablesAnswer& answer) {
    if (answer.failure)
        return toReadFailure(*answer.failure);
    return TextList(toStringList(answer.names));
}

FieldTable toFieldTable(const readerprotocol::FieldsAnswer& answer) {
    if (!answer.readable)
        return answer.notRead ? FieldTable::notRead() : FieldTable::unreadable();
    QList<FieldRow> rows;
    rows.reserve(qsizetype(answer.fields.size()));
    for (const readerprotocol::Field& field : answer.fields)
        rows.append(FieldRow{QString::fromStdString(field.name), QString::number(field.type),
                             QString::number(field.size),
                             field.allowZeroLength ? QStringLiteral("True") : QStringLiteral("False"),
                             QString::number(field.attributes)});
    return FieldTable(rows);
}

IndexList toIndexList(const readerprotocol::IndexesAnswer& answer) {
    switch (answer.kind) {
    case readerprotocol::IndexesAnswer::Kind::List:
        return TextList(toStringList(answer.names));
    case readerprotocol::IndexesAnswer::Kind::NoIndexes:
        return NoIndexes{};
    case readerprotocol::IndexesAnswer::Kind::Unreadable:
        break;
    }
    return unreadableIndexes();
}

ReadFailure damagedDatabase(const QString& path) {
    return toReadFailure(readerprotocol::failureFor(readerprotocol::DatabaseDamaged, path.toStdString()));
}

ReadFailure readerUnavailable(const QString& program, const QString& reason) {
    return ReadFailure{
        ReaderUnavailableNumber,
        QStringLiteral("The schema reader program '%1' could not be started: %2.").arg(program, reason)};
}
