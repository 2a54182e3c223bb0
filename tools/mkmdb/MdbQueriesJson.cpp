#include "MdbQueriesJson.h"

#include "MdbQueries.h"

#include <QJsonObject>

namespace {

std::optional<std::string> optionalText(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(key);
    if (v.isString())
        return v.toString().toStdString();
    return std::nullopt;
}

std::vector<std::string> texts(const QJsonValue& v) {
    std::vector<std::string> items;
    for (const auto& item : v.toArray())
        items.push_back(item.toString().toStdString());
    return items;
}

std::optional<MdbQueryRow> readRow(const QJsonObject& o) {
    MdbQueryRow r;
    if (!o.value("attribute").isDouble())
        return std::nullopt;
    r.attribute = o.value("attribute").toInt();
    if (o.value("flag").isDouble())
        r.flag = o.value("flag").toInt();
    if (o.value("extra").isDouble())
        r.extra = o.value("extra").toInt();
    r.name1 = optionalText(o, "name1");
    r.name2 = optionalText(o, "name2");
    r.expression = optionalText(o, "expression");
    return r;
}

MdbQueryDescription describe(const QJsonObject& o, MdbQueryKind kind) {
    MdbQueryDescription d;
    d.name = o.value("name").toString().toStdString();
    d.kind = kind;
    d.hidden = o.value("hidden").toBool(false);
    for (const auto& pv : o.value("parameters").toArray()) {
        const QJsonObject p = pv.toObject();
        d.parameters.push_back({p.value("name").toString().toStdString(),
                                p.value("type").toString().toStdString(), p.value("size").toInt(0)});
    }
    d.distinct = o.value("distinct").toBool(false);
    d.distinctRow = o.value("distinctRow").toBool(false);
    d.top = optionalText(o, "top");
    if (o.value("top").isDouble())
        d.top = std::to_string(o.value("top").toInt());
    d.percent = o.value("percent").toBool(false);
    d.star = o.value("star").toBool(false);
    d.ownerAccess = o.value("ownerAccess").toBool(false);
    for (const auto& cv : o.value("columns").toArray()) {
        const QJsonObject c = cv.toObject();
        MdbQueryColumn column;
        column.expression = (cv.isObject() ? c.value("expression") : cv).toString().toStdString();
        column.alias = optionalText(c, "alias");
        column.column = optionalText(c, "column");
        column.value = c.value("value").toBool(false);
        column.transform = c.value("transform").toBool(false);
        column.pivot = c.value("pivot").toBool(false);
        d.columns.push_back(column);
    }
    for (const auto& tv : o.value("tables").toArray()) {
        const QJsonObject t = tv.toObject();
        d.tables.push_back({(tv.isObject() ? t.value("name") : tv).toString().toStdString(),
                            optionalText(t, "alias"), optionalText(t, "database")});
    }
    for (const auto& jv : o.value("joins").toArray()) {
        const QJsonObject j = jv.toObject();
        const QString type = j.value("type").toString("Inner");
        d.joins.push_back({j.value("left").toString().toStdString(),
                           j.value("right").toString().toStdString(),
                           type == "Left"    ? 2
                           : type == "Right" ? 3
                           : type == "Inner" ? 1
                                             : 0,
                           j.value("on").toString().toStdString()});
    }
    d.where = optionalText(o, "where");
    d.groupBy = texts(o.value("groupBy"));
    d.having = optionalText(o, "having");
    for (const auto& ov : o.value("orderBy").toArray()) {
        const QJsonObject order = ov.toObject();
        d.orderBy.push_back({(ov.isObject() ? order.value("expression") : ov).toString().toStdString(),
                             order.value("descending").toBool(false)});
    }
    d.target = optionalText(o, "target");
    d.targetDatabase = optionalText(o, "targetDatabase");
    d.unionParts = texts(o.value("union"));
    d.unionAll = o.value("unionAll").toBool(false);
    d.sql = optionalText(o, "sql");
    d.connect = optionalText(o, "connect");
    return d;
}

} // namespace

std::optional<std::vector<MdbQuery>> readQueriesJson(const QJsonArray& queries, QString* error) {
    std::vector<MdbQuery> read;
    for (const auto& qv : queries) {
        const QJsonObject o = qv.toObject();
        const QString where = "query \"" + o.value("name").toString() + "\"";
        const auto kind = mdbQueryKindFromName(o.value("kind").toString("Select").toStdString());
        if (!kind) {
            *error = where + ": unknown kind \"" + o.value("kind").toString() + "\"";
            return std::nullopt;
        }
        if (o.contains("rows")) {
            MdbQuery query{
                o.value("name").toString().toStdString(), *kind, o.value("hidden").toBool(false), {}};
            for (const auto& rv : o.value("rows").toArray()) {
                const auto row = readRow(rv.toObject());
                if (!row) {
                    *error = where + ": a row without its attribute";
                    return std::nullopt;
                }
                query.rows.push_back(*row);
            }
            read.push_back(std::move(query));
            continue;
        }
        for (const auto& jv : o.value("joins").toArray()) {
            const QString type = jv.toObject().value("type").toString("Inner");
            if (type != "Inner" && type != "Left" && type != "Right") {
                *error = where + ": unknown join type \"" + type + "\"";
                return std::nullopt;
            }
        }
        std::string why;
        auto query = mdbQuery(describe(o, *kind), &why);
        if (!query) {
            *error = QString::fromStdString(why);
            return std::nullopt;
        }
        read.push_back(std::move(*query));
    }
    return read;
}
