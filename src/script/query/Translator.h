#pragma once
// The Translator that writes a SELECT or UNION tree as one server's SELECT (QueryTranslation.h), shared by
// the files that make it up: its names and scopes (TranslatorNames.cpp), its expressions
// (TranslatorExpressions.cpp), its operators (TranslatorOperators.cpp) and its SELECT (TranslatorSelect.cpp).

#include "QuerySql.h"
#include "QueryTranslation.h"

#include <QSet>
#include <optional>

namespace querytranslation {

inline const QString CRLF = QStringLiteral("\r\n");

bool sameName(const QString& a, const QString& b);
ValueType typeOf(ValueForm form);
Sql made(QString text, ValueType type, bool notNull, bool predicate = false);
Sql simpleSql(QString text, ValueType type, bool notNull);

// A table or view of a FROM clause, as the query's names find it.
struct Scope {
    QString accessName;
    QString alias;
    QString ref; // the quoted qualifier of its columns
    const TablePlan* table = nullptr;
    QList<ViewColumn> columns;
    QString written() const { return alias.isEmpty() ? accessName : alias; }
};

// One column of the SELECT list.
struct Output {
    QString accessName;
    Sql sql;
    int scope = -1;     // a column of a source as it is: which
    QString columnName; // and its name in the script
    bool aliased = false;
    bool exactText = false;
};

struct SelectText {
    QString text;
    QList<ViewColumn> columns;
};

class Translator {
public:
    Translator(const TargetDialect& d, const QuerySchema& schema, const Translator* outer = nullptr)
        : d_(d), schema_(schema), outer_(outer) {}

    std::variant<NotTranslated, TranslatedQuery> run(const AccessQuery& query);
    // The parts of an action query, against the tables of its FROM.
    std::variant<NotTranslated, TranslatedClauses> clauses(const std::vector<Source>& from,
                                                           const std::vector<Expr>& values,
                                                           const std::optional<Expr>& where);

private:
    QString q(const QString& name) const { return quoteName(d_, name); }
    void fail(const QString& reason) {
        if (error_.isEmpty())
            error_ = reason;
    }

    // Names and scopes (TranslatorNames.cpp).
    // The sources of a FROM clause, into scopes_, in the order they are written.
    void collect(const Source& s);
    QString fromText(const Source& s, int& next);
    // A column as an operand; rawColumn_ keeps it as it is, for the SELECT list.
    Sql column(int scope, const ViewColumn& c);
    // A column of an enclosing query's tables, for a subquery that refers to it: always qualified.
    bool outerColumn(const Expr& e, Sql& sql) const;
    int findScope(const QString& name) const;
    Sql name(const Expr& e);
    // A name that is no column, as the argument of the routine that asks for it.
    bool parameter(const QString& written, Sql& sql) const;

    // Expressions (TranslatorExpressions.cpp).
    Sql value(const Expr& e) { return valueOf(d_, expr(e)); }
    Sql condition(const Expr& e);
    Sql expr(const Expr& e);
    Sql exprAtDepth(const Expr& e);
    // A domain function (DLookup, DCount, ...) as a scalar subquery (TranslatorDomain.cpp); nothing for
    // another call.
    std::optional<Sql> domainCall(const Expr& e);

    // Operators (TranslatorOperators.cpp).
    Sql concatenation(const Sql& a, const Sql& b);
    QString asDouble(const Sql& x);
    // A number rounded to a whole one as CLng rounds it (to even at .5).
    Sql roundedToWhole(const Sql& x);
    // Two texts compared for equality without regard to case, as Access compares them: SQL Server's and
    // MySQL's default collations do so already; SQLite's NOCASE does for ASCII letters.
    QString textComparison(const Sql& a, const QString& op, const Sql& b) const;
    // A date and a whole number of days, as Access adds them: DateAdd("d", ...).
    Sql daysAdded(const Sql& date, const Sql& days, bool subtracted);
    // Whether two values can be compared as Access compares them. A Yes/No value is -1 or 0 in Access: the
    // literal numbers -1 and 0 beside one become the server's truth values, other numbers are compared with
    // -1 or 0.
    bool comparable(Sql& a, const Expr& ea, Sql& b, const Expr& eb);
    Sql binary(const Expr& e);

    // The SELECT (TranslatorSelect.cpp).
    // Whether ORDER BY gives every row a place of its own: it holds every column of the only table's primary
    // key, so TOP n has no ties to add.
    bool tiesImpossible(const SelectQuery& s) const;
    // DISTINCTROW gives each row of the tables it selects from once: nothing more where it selects from every
    // table, DISTINCT where the columns selected hold the primary key of each table it selects from.
    bool distinctRows(const QSet<int>& selected, const QList<Output>& outputs) const;
    // The columns of the primary keys of the tables selected from; nothing where one has none.
    QStringList keyColumns(const QSet<int>& selected) const;
    QList<Output> outputs(const SelectQuery& s);
    // A SELECT inside this one, on one line; its names may refer to this query's tables.
    // inIn: the subquery of IN, where MySQL takes no LIMIT.
    SelectText subselect(const SelectQuery& s, bool inIn = false);
    SelectText select(const SelectQuery& s, bool inUnion);

    // TOP n [PERCENT] on a server without TOP (TranslatorTop.cpp): the lines of the SELECT up to HAVING, with
    // its ORDER BY keys, made the SELECT of Access's rows.
    QStringList topRows(const SelectQuery& s, const QStringList& lines, const QStringList& orders,
                        const QList<ViewColumn>& columns);

    const TargetDialect& d_;
    const QuerySchema& schema_;
    const Translator* outer_; // the query this one is a subquery of
    std::vector<Scope> scopes_;
    QStringList sourceTexts_;
    QSet<int> used_; // the scopes whose columns were read
    const std::vector<SelectItem>* items_ = nullptr;
    bool aliases_ = false; // whether the SELECT list's aliases may be used here
    QList<int> expanding_; // the SELECT items whose expressions are being written
    int lastScope_ = -1;   // the column the last name found
    ViewColumn lastColumn_;
    QString rawColumn_;
    int depth_ = 0;
    bool limitless_ = false; // the subquery of IN on MySQL: TOP is a rank, never LIMIT
    QString error_;
    QString waitsFor_;
};

} // namespace querytranslation
