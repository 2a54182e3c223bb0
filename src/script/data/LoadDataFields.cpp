#include "LoadDataFields.h"

#include "ValueText.h"

#include <algorithm>
#include <cmath>

namespace {

// The characters LOAD DATA reads otherwise: the escape, the field and line ends, and NUL, which "\0" keeps
// (CR is escaped too, so that no line end is ever taken for another).
bool special(char c) {
    return c == '\\' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

void appendEscaped(std::string& out, std::string_view text) {
    auto run = text.begin();
    for (auto at = std::find_if(text.begin(), text.end(), special); at != text.end();
         at = std::find_if(at, text.end(), special)) {
        out.append(run, at);
        out += '\\';
        switch (*at) {
        case '\t':
            out += 't';
            break;
        case '\n':
            out += 'n';
            break;
        case '\r':
            out += 'r';
            break;
        case '\0':
            out += '0';
            break;
        default:
            out += '\\';
        }
        run = ++at;
    }
    out.append(run, text.end());
}

// The value's text as the server is to take it, before any escape; false for NULL. The same texts and
// problems as the MySQL dialect's literals: TRUE and FALSE are 1 and 0, a real has its shortest exact
// digits, a negative zero loses its sign, NaN and the infinities, which MySQL cannot hold, are NULL.
bool plainValue(std::string& out, ValueForm form, const DataValue& value, ValueProblem& problem) {
    switch (value.kind) {
    case ValueKind::Null:
        return false;
    case ValueKind::Boolean:
        out += value.integer ? '1' : '0';
        return true;
    case ValueKind::Integer:
        appendInteger(out, value.integer);
        return true;
    case ValueKind::Currency:
        appendCurrency(out, value.integer);
        return true;
    case ValueKind::Text:
        if (form == ValueForm::Timestamp) { // a Date/Time Extended value: DATETIME(6) keeps microseconds
            bool cut = false;
            out += withFraction(value.bytes, mySqlDialect().fractionDigits, cut);
            if (cut)
                problem = ValueProblem::FractionCut;
            return true;
        }
        out += value.bytes;
        return true;
    case ValueKind::Decimal:
    case ValueKind::Bytes:
        out += value.bytes;
        return true;
    case ValueKind::Single:
    case ValueKind::Double:
        if (value.real == 0 && std::signbit(value.real)) {
            out += '0';
            problem = ValueProblem::ZeroSignLost;
            return true;
        }
        if (appendShortest(out, value.kind == ValueKind::Single ? double(float(value.real)) : value.real))
            return true;
        problem = ValueProblem::NotFinite;
        return false;
    case ValueKind::DateTime:
        if (appendTimestamp(out, value.real))
            return true;
        problem = ValueProblem::DateOutOfRange;
        return false;
    case ValueKind::Guid:
        if (appendGuid(out, value.bytes, form == ValueForm::UuidText))
            return true;
        problem = ValueProblem::BadValue;
        return false;
    }
    return false;
}

QString variable(int column) {
    return QStringLiteral("@b%1").arg(column);
}

} // namespace

std::string loadDataStatement(const TargetDialect& dialect, const TablePlan& table, const QList<int>& columns,
                              const char* file) {
    QStringList targets;
    QStringList unhexed;
    for (int i : columns) {
        const ColumnPlan& c = table.columns[i];
        const QString name = quoteName(dialect, c.name);
        if (c.type.form != ValueForm::Bytes) {
            targets << name;
            continue;
        }
        targets << variable(i);
        unhexed << QStringLiteral("%1 = UNHEX(%2)").arg(name, variable(i));
    }
    QString sql = QStringLiteral("LOAD DATA LOCAL INFILE '%1' INTO TABLE %2 CHARACTER SET utf8mb4 FIELDS "
                                 "TERMINATED BY '\\t' ESCAPED BY '\\\\' LINES TERMINATED BY '\\n' (%3)")
                      .arg(QString::fromLatin1(file), quoteName(dialect, table.name),
                           targets.join(QStringLiteral(", ")));
    if (!unhexed.isEmpty())
        sql += QStringLiteral(" SET ") + unhexed.join(QStringLiteral(", "));
    return sql.toStdString();
}

ValueProblem appendLoadDataField(std::string& out, ValueForm form, const DataValue& value) {
    ValueProblem problem = ValueProblem::None;
    if (form == ValueForm::Bytes) {
        std::string plain;
        if (plainValue(plain, form, value, problem))
            appendHex(out, plain, true);
        else
            out += "\\N";
    } else if ((value.kind == ValueKind::Text && form != ValueForm::Timestamp) ||
               value.kind == ValueKind::Bytes) {
        appendEscaped(out, value.bytes);
    } else if (!plainValue(out, form, value, problem)) {
        // Numbers, dates (Date/Time Extended's texts too) and GUIDs hold no character to escape; a value that
        // has no text appends none.
        out += "\\N";
    }
    return problem;
}
