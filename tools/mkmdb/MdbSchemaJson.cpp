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
    if (o.contains("allowZeroLength"))
        c.allowZeroLength = o.value("allowZeroLength").toBool();
    if (o.contains("required"))
        c.required = o.value("required").toBool();
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
            for (const auto& name : io.value("columns").toArray())
                ix.columns.push_back(name.toString().toStdString());
            t.indexes.push_back(ix);
        }
        schema.tables.push_back(t);
    }
    return schema;
}
