// The parts of the queries that are not a plain SELECT: the target of MakeTable and Append queries, INSERT
// INTO, UPDATE, TRANSFORM ... PIVOT, and the whole text of DataDefinition and PassThrough queries.

#include "QuerySqlText.h"
#include "QueryStatement.h"

#include <optional>

namespace queryrebuild {

// The target table of a MakeTable or Append query, with its other database.
std::string Rebuild::target(const QueryRow* kindRow) {
    if (!kindRow || !kindRow->name1) {
        fail("no target table");
        return {};
    }
    return quotedWhereNeeded(*kindRow->name1, true);
}

std::string Rebuild::crossTab() {
    const QueryRow* value =
        uniqueOf(filtered(all(ColumnRow), crossTabPivot | crossTabRowHeading, false), "TRANSFORM value");
    const QueryRow* pivot = uniqueOf(filtered(all(ColumnRow), crossTabPivot, true), "PIVOT column");
    if (!pivot || !pivot->expression) {
        fail("no PIVOT column");
        return {};
    }
    std::string text;
    if (value && value->expression)
        text += "TRANSFORM " + *value->expression + alias(value->name1) + newline;
    return text + selectStatement(true, {}) + newline + "PIVOT " + *pivot->expression;
}

std::string Rebuild::append(const QueryRow* kindRow) {
    std::string text = "INSERT INTO " + target(kindRow);
    std::vector<std::string> columns;
    std::vector<std::string> values;
    for (const QueryRow* row : all(ColumnRow)) {
        if (row->name2)
            columns.push_back(quotedWhereNeeded(*row->name2, true));
        if (hasFlag(row, appendValue))
            values.push_back(row->expression.value_or(std::string()));
    }
    if (!columns.empty())
        text += " (" + joined(columns) + ")";
    text +=
        otherDatabase(kindRow ? kindRow->name2 : std::nullopt, kindRow ? kindRow->expression : std::nullopt);
    text += newline;
    if (!values.empty())
        return text + "VALUES (" + joined(values) + ")";
    return text + selectStatement(true, {});
}

std::string Rebuild::update() {
    std::string text = "UPDATE " + joined(fromTables()) + fromRemoteDatabase();
    std::vector<std::string> settings;
    for (const QueryRow* row : all(ColumnRow)) {
        if (!row->name2) {
            fail("an UPDATE column without its name");
            return {};
        }
        settings.push_back(quotedWhereNeeded(*row->name2, true) + " = " +
                           row->expression.value_or(std::string()));
    }
    text += newline + std::string("SET ") + joined(settings);
    const QueryRow* where = unique(WhereRow, "WHERE row");
    if (where && where->expression)
        text += newline + std::string("WHERE ") + *where->expression;
    return text;
}

// The text of a DataDefinition or PassThrough query, as stored, with the ";" that ends every query.
std::string Rebuild::wholeText(const QueryRow* kindRow) {
    std::string text = kindRow ? kindRow->expression.value_or(std::string()) : std::string();
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    if (text.empty() || text.back() != ';')
        text += ';';
    return text;
}

} // namespace queryrebuild
