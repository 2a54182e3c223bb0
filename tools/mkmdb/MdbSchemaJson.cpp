#include "MdbSchemaJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

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
        schema.tables.push_back(t);
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
    return schema;
}
