#pragma once
// The rows of one query and the statement made of them, part by part: the SELECT and UNION parts
// (QuerySelectParts.cpp), the FROM clause with its joins (QueryFromClause.cpp), the action and crosstab
// parts (QueryActionParts.cpp), and the whole statement by kind (QueryRebuild.cpp).

#include "QueryRowFacts.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace queryrebuild {

// A table of the FROM clause, or a join of two of them, held in a pool and named by position.
struct Source {
    std::string key;  // a table's alias, else its name
    std::string text; // a table as written
    bool join = false;
    std::size_t from = 0;
    std::size_t to = 0;
    int type = 0;
    std::vector<std::string> conditions;
};

// The rows of one query and what is made of them; problem says why the query cannot be rebuilt.
class Rebuild {
public:
    Rebuild(const std::vector<const QueryRow*>& rows, readerprotocol::StoredQueryKind kind) : kind_(kind) {
        for (const QueryRow* row : rows)
            if (row->attribute >= 0 && row->attribute < AttributeCount)
                rows_[std::size_t(row->attribute)].push_back(row);
    }

    std::string sql();
    const std::string& problem() const { return problem_; }

private:
    const Rows& all(Attribute attribute) const { return rows_[std::size_t(attribute)]; }
    const QueryRow* unique(Attribute attribute, const char* what) { return uniqueOf(all(attribute), what); }
    const QueryRow* uniqueOf(const Rows& rows, const char* what) {
        if (rows.size() > 1)
            fail(std::string("more than one ") + what);
        return rows.empty() ? nullptr : rows.front();
    }
    void fail(std::string why) {
        if (problem_.empty())
            problem_ = std::move(why);
    }

    Rows columnRows() const;
    Rows groupByRows() const;
    std::string parameters();
    std::string selectPredicates();
    std::vector<std::string> selectColumns();
    std::vector<std::string> fromTables();
    std::string render(std::size_t source, bool topLevel);
    std::string fromRemoteDatabase();
    std::string selectStatement(bool withSelect, const std::string& into);
    std::string orderBy();
    std::string target(const QueryRow* kindRow);
    std::string crossTab();
    std::string unionQuery();
    std::string append(const QueryRow* kindRow);
    std::string update();
    std::string wholeText(const QueryRow* kindRow);

    readerprotocol::StoredQueryKind kind_;
    std::array<Rows, AttributeCount> rows_;
    std::vector<Source> sources_;
    std::string problem_;
};

} // namespace queryrebuild
