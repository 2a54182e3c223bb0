// The FROM clause: the tables of a query and the joins between them, nested as Access writes them.

#include "QuerySqlText.h"
#include "QueryStatement.h"

#include <optional>

namespace queryrebuild {

namespace {

const char* joinTypeText(int type) {
    switch (type) {
    case 1:
        return " INNER JOIN ";
    case 2:
        return " LEFT JOIN ";
    case 3:
        return " RIGHT JOIN ";
    }
    return nullptr;
}

bool containsTable(const std::vector<Source>& sources, std::size_t index, const std::string& name) {
    const Source& source = sources[index];
    if (!source.join)
        return sameIgnoringCase(source.key, name);
    return containsTable(sources, source.from, name) || containsTable(sources, source.to, name);
}

} // namespace

std::string Rebuild::render(std::size_t index, bool topLevel) {
    const Source& source = sources_[index];
    if (!source.join)
        return source.text;
    const char* type = joinTypeText(source.type);
    if (!type) {
        fail("a join of the unknown type " + std::to_string(source.type));
        return {};
    }
    std::string text = topLevel ? "" : "(";
    text += render(source.from, false);
    text += type;
    text += render(source.to, false);
    text += " ON ";
    if (source.conditions.size() > 1)
        text += "(" + joined(source.conditions, ") AND (") + ")";
    else
        text += source.conditions.front();
    if (!topLevel)
        text += ")";
    return text;
}

// The tables, each join nesting the tables or joins it joins: a join takes the sources holding its two
// tables out of the list and goes to its end; a join of two tables already joined adds its condition to
// that join when it is of the same type.
std::vector<std::string> Rebuild::fromTables() {
    sources_.clear();
    std::vector<std::size_t> list;
    for (const QueryRow* row : all(TableRow)) {
        Source table;
        if (row->expression)
            table.text = bracketed(*row->expression) + ".";
        if (row->name1)
            table.text += quotedWhereNeeded(*row->name1, true);
        table.text += alias(row->name2);
        table.key = row->name2 ? *row->name2 : row->name1.value_or(std::string());
        list.push_back(sources_.size());
        sources_.push_back(std::move(table));
    }
    for (const QueryRow* row : all(JoinRow)) {
        if (!row->name1 || !row->name2 || !row->expression) {
            fail("a join without its two tables and its condition");
            return {};
        }
        std::optional<std::size_t> from;
        std::optional<std::size_t> to;
        for (auto at = list.begin(); at != list.end() && (!from || !to);) {
            if (!from && containsTable(sources_, *at, *row->name1)) {
                from = *at;
                if (!to && containsTable(sources_, *at, *row->name2)) {
                    to = *at;
                    break;
                }
                at = list.erase(at);
            } else if (!to && containsTable(sources_, *at, *row->name2)) {
                to = *at;
                at = list.erase(at);
            } else {
                ++at;
            }
        }
        const auto table = [&](const std::string& name) {
            Source simple;
            simple.key = name;
            simple.text = quotedWhereNeeded(name, true);
            sources_.push_back(std::move(simple));
            return sources_.size() - 1;
        };
        if (!from)
            from = table(*row->name1);
        if (!to)
            to = table(*row->name2);
        if (*from == *to) {
            Source& join = sources_[*from];
            if (!join.join || join.type != row->flag.value_or(0)) {
                fail("joins of different types between " + *row->name1 + " and " + *row->name2);
                return {};
            }
            // The conditions of one join are stored last first.
            join.conditions.insert(join.conditions.begin(), *row->expression);
            continue;
        }
        Source join;
        join.join = true;
        join.from = *from;
        join.to = *to;
        join.type = row->flag.value_or(0);
        join.conditions.push_back(*row->expression);
        list.push_back(sources_.size());
        sources_.push_back(std::move(join));
    }
    std::vector<std::string> tables;
    for (std::size_t index : list)
        tables.push_back(render(index, true));
    return tables;
}

} // namespace queryrebuild
