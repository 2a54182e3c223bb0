#pragma once
// The values a rule's condition is evaluated with, row by row (ValidationRules.h): NULL, a number, a date in
// days since 1899-12-30, a text, or a truth value (True -1, False 0, as Access counts them). A value that
// cannot be told here is none (RuleResult without a value): evaluation then ends in RuleOutcome::Unknown.

#include <QString>
#include <optional>
#include <vector>

struct RuleValue {
    enum class Kind { Null, Number, Date, Text, Boolean } kind = Kind::Null;
    double number = 0; // Number, Date, Boolean
    QString text;      // Text

    bool isNull() const { return kind == Kind::Null; }
    bool numeric() const { return kind == Kind::Number || kind == Kind::Date || kind == Kind::Boolean; }

    static RuleValue null() { return {}; }
    static RuleValue ofNumber(double n) { return {Kind::Number, n, {}}; }
    static RuleValue ofDate(double days) { return {Kind::Date, days, {}}; }
    static RuleValue ofText(QString t) { return {Kind::Text, 0, std::move(t)}; }
    static RuleValue ofTruth(bool b) { return {Kind::Boolean, b ? -1.0 : 0.0, {}}; }
};

using RuleResult = std::optional<RuleValue>;

// A call of one of the Access functions rules use (Len, Left, Date, Year, ...) on values already evaluated;
// none for another function, or arguments it cannot be told for.
RuleResult callRuleFunction(const QString& name, const std::vector<RuleValue>& args, double nowDays);
