#include "MdbSchemaJson.h"

#include "MdbQueriesJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace {

// JSON has no NaN or infinities, so they come as strings, and so does a negative zero for clarity.
std::optional<double> readNumber(const QJsonValue& v) {
    if (v.isDouble())
        return v.toDouble();
    const QString s = v.toString();
    if (s == "NaN")
        return std::numeric_limits<double>::quiet_NaN();
    if (s == "Infinity")
        return std::numeric_limits<double>::infinity();
    if (s == "-Infinity")
        return -std::numeric_limits<double>::infinity();
    if (s == "-0")
        return -0.0;
    return std::nullopt;
}

// One value as the column's type takes it; nothing, with *why, when the JSON value is of the wrong kind.
// Whether it fits the column (range, length) is the schema check's question.
std::optional<MdbValue> readValue(const QJsonValue& v, const MdbColumn& c, QString* why) {
    using T = MdbColumnType;
    const std::string text = v.toString().toStdString();
    switch (c.type) {
    case T::YesNo:
        if (v.isBool())
            return MdbValue{v.toBool()};
        *why = "takes true or false";
        return std::nullopt;
    case T::Byte:
    case T::Integer:
    case T::Long:
        if (v.isDouble() && v.toDouble() == std::floor(v.toDouble()) && std::abs(v.toDouble()) < 9.0e15)
            return MdbValue{std::int64_t(v.toDouble())};
        *why = "takes a whole number";
        return std::nullopt;
    case T::Single:
    case T::Double:
    case T::DateTime:
        if (const auto d = readNumber(v))
            return c.type == T::Single ? MdbValue{float(*d)} : MdbValue{*d};
        *why = "takes a number (or \"NaN\", \"Infinity\", \"-Infinity\", \"-0\")";
        return std::nullopt;
    case T::Currency:
        if (const auto m = v.isString() ? mdbCurrencyFromString(text) : std::nullopt)
            return MdbValue{*m};
        *why = "takes an amount as a string, at most four digits after the point";
        return std::nullopt;
    case T::Decimal:
        if (const auto d = v.isString() ? mdbDecimalFromString(text) : std::nullopt)
            return MdbValue{*d};
        *why = "takes a decimal number as a string";
        return std::nullopt;
    case T::Text:
    case T::Memo:
    case T::DateTimeExtended:
        if (v.isString())
            return MdbValue{text};
        *why = "takes a string";
        return std::nullopt;
    case T::Guid:
        if (const auto g = v.isString() ? mdbGuidFromString(text) : std::nullopt)
            return MdbValue{*g};
        *why = "takes a GUID as \"{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}\"";
        return std::nullopt;
    case T::Binary:
    case T::OleObject:
    case T::Unknown:
        if (const auto b = v.isString() ? mdbBytesFromHex(text) : std::nullopt)
            return MdbValue{*b};
        *why = "takes bytes as a string of hexadecimal digits";
        return std::nullopt;
    }
    return std::nullopt;
}

// A row: one JSON value per column, null for NULL. A row of the wrong length is kept as it is, for the
// schema check to name.
std::optional<MdbRow> readRow(const QJsonArray& values, const std::vector<MdbColumn>& columns,
                              const QString& where, QString* error) {
    MdbRow row;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (values[i].isNull() || std::size_t(i) >= columns.size()) {
            row.push_back(std::nullopt);
            continue;
        }
        const auto& c = columns[std::size_t(i)];
        QString why;
        auto value = readValue(values[i], c, &why);
        if (!value) {
            *error = where + ", column \"" + QString::fromStdString(c.name) + "\": " + why;
            return std::nullopt;
        }
        row.push_back(std::move(*value));
    }
    return row;
}

// Reads one column; a message in *error when a field has the wrong kind of value.
std::optional<MdbColumn> readColumn(const QJsonObject& o, const QString& where, QString* error) {
    MdbColumn c;
    c.name = o.value("name").toString().toStdString();
    const auto type = mdbColumnTypeFromName(o.value("type").toString().toStdString());
    if (!type) {
        *error = where + ": unknown type \"" + o.value("type").toString() + "\"";
        return std::nullopt;
    }
    c.type = *type;
    c.length = o.value("length").toInt(0);
    c.autoNumber = o.value("autoNumber").toBool(false);
    c.precision = o.value("precision").toInt(18);
    c.scale = o.value("scale").toInt(0);
    c.typeByte = o.value("typeByte").toInt(0);
    c.deleted = o.value("deleted").toBool(false);
    c.added = o.value("added").toBool(false);
    if (o.contains("expression"))
        c.expression = o.value("expression").toString().toStdString();
    if (o.contains("allowZeroLength"))
        c.allowZeroLength = o.value("allowZeroLength").toBool();
    if (o.contains("required"))
        c.required = o.value("required").toBool();
    if (o.contains("defaultValue"))
        c.defaultValue = o.value("defaultValue").toString().toStdString();
    if (o.contains("description"))
        c.description = o.value("description").toString().toStdString();
    if (o.contains("validationRule"))
        c.validationRule = o.value("validationRule").toString().toStdString();
    if (o.contains("validationText"))
        c.validationText = o.value("validationText").toString().toStdString();
    return c;
}

} // namespace

std::optional<MdbSchema> parseMdbSchemaJson(const QByteArray& json, QString* error) {
    QString ignored;
    if (!error)
        error = &ignored;
    QJsonParseError parseError;
    const auto doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull()) {
        *error = "not JSON: " + parseError.errorString() + " at offset " + QString::number(parseError.offset);
        return std::nullopt;
    }
    if (!doc.object().value("tables").isArray()) {
        *error = "no \"tables\" list";
        return std::nullopt;
    }
    MdbSchema schema;
    for (const auto& tv : doc.object().value("tables").toArray()) {
        const auto to = tv.toObject();
        MdbTable t;
        t.name = to.value("name").toString().toStdString();
        t.system = to.value("system").toBool(false);
        t.hidden = to.value("hidden").toBool(false);
        if (to.contains("validationRule"))
            t.validationRule = to.value("validationRule").toString().toStdString();
        if (to.contains("validationText"))
            t.validationText = to.value("validationText").toString().toStdString();
        const QString where = "table \"" + to.value("name").toString() + "\"";
        for (const auto& cv : to.value("columns").toArray()) {
            auto c = readColumn(cv.toObject(), where, error);
            if (!c)
                return std::nullopt;
            t.columns.push_back(*c);
        }
        for (const auto& iv : to.value("indexes").toArray()) {
            const auto io = iv.toObject();
            MdbIndex ix;
            ix.name = io.value("name").toString().toStdString();
            ix.primary = io.value("primary").toBool(false);
            ix.unique = io.value("unique").toBool(false);
            ix.ignoreNulls = io.value("ignoreNulls").toBool(false);
            ix.required = io.value("required").toBool(false);
            ix.foreignKey = io.value("foreignKey").toBool(false);
            // A column is its name, or {"name": ..., "descending": true}.
            for (const auto& column : io.value("columns").toArray()) {
                const QJsonObject described = column.toObject();
                ix.columns.push_back(
                    (column.isObject() ? described.value("name") : column).toString().toStdString());
                ix.descending.push_back(described.value("descending").toBool(false));
            }
            t.indexes.push_back(ix);
        }
        const auto rows = to.value("rows").toArray();
        t.rows.reserve(std::size_t(rows.size()));
        for (qsizetype r = 0; r < rows.size(); ++r) {
            auto row =
                readRow(rows[r].toArray(), t.columns, where + ", row " + QString::number(r + 1), error);
            if (!row)
                return std::nullopt;
            t.rows.push_back(std::move(*row));
        }
        schema.tables.push_back(std::move(t));
    }
    for (const auto& rv : doc.object().value("relationships").toArray()) {
        const auto ro = rv.toObject();
        MdbRelationship r;
        r.name = ro.value("name").toString().toStdString();
        r.table = ro.value("table").toString().toStdString();
        r.referencedTable = ro.value("referencedTable").toString().toStdString();
        for (const auto& name : ro.value("columns").toArray())
            r.columns.push_back(name.toString().toStdString());
        for (const auto& name : ro.value("referencedColumns").toArray())
            r.referencedColumns.push_back(name.toString().toStdString());
        r.enforced = ro.value("enforced").toBool(true);
        r.cascadeUpdate = ro.value("cascadeUpdate").toBool(false);
        r.cascadeDelete = ro.value("cascadeDelete").toBool(false);
        r.cascadeSetNull = ro.value("cascadeSetNull").toBool(false);
        schema.relationships.push_back(r);
    }
    auto queries = readQueriesJson(doc.object().value("queries").toArray(), error);
    if (!queries)
        return std::nullopt;
    schema.queries = std::move(*queries);
    return schema;
}
