#include "AssessmentHtml.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace {

const char* const style = R"(
body { font-family: sans-serif; margin: 2em; color: #222; }
h1 { font-size: 1.6em; } h2 { font-size: 1.25em; margin-top: 2em; border-bottom: 1px solid #ccc; }
table { border-collapse: collapse; margin: 0.5em 0 1em; }
th, td { padding: 0.25em 0.6em; border-bottom: 1px solid #e4e4e4; text-align: left; vertical-align: top; }
th { background: #f2f2f2; }
td a { word-break: break-all; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
.bar { display: inline-block; height: 0.8em; background: #4a7fb5; vertical-align: middle; }
.bar.rows { background: #6aa66a; }
.cell { display: flex; align-items: center; gap: 0.4em; min-width: 9em; }
.bad { color: #a40000; font-weight: bold; }
.part { color: #a05a00; font-weight: bold; }
.ok { color: #2a6a2a; }
h3 { font-size: 1.05em; margin: 1em 0 0.3em; }
dl { display: grid; grid-template-columns: max-content auto; gap: 0.2em 1em; }
dt { font-weight: bold; }
ul.left { margin: 0.2em 0 0.8em; font-size: 0.9em; }
@media print { body { margin: 0; } section { break-inside: avoid-page; } .bar { print-color-adjust: exact; -webkit-print-color-adjust: exact; } }
)";

QString e(const QString& text) {
    return text.toHtmlEscaped();
}

QString sizeText(qint64 bytes) {
    if (bytes < 0)
        return QStringLiteral("-");
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024 * 1024), 0, 'f', 1);
}

// A bar as wide as value is of the largest, and the value beside it.
QString bar(qint64 value, qint64 largest, const QString& label, const char* kind) {
    const double percent = largest > 0 ? 100.0 * double(std::max<qint64>(value, 0)) / double(largest) : 0;
    return QStringLiteral("<div class=\"cell\"><span class=\"bar %1\" style=\"width:%2%\"></span>%3</div>")
        .arg(QLatin1String(kind))
        .arg(std::max(percent * 0.7, value > 0 ? 0.5 : 0.0), 0, 'f', 1)
        .arg(e(label));
}

QString status(const DatabaseFacts& db) {
    if (!db.read())
        return QStringLiteral("<span class=\"bad\">not read</span>");
    return db.readWhole() ? QStringLiteral("<span class=\"ok\">read</span>")
                          : QStringLiteral("<span class=\"part\">partly read</span>");
}

QString counts(const QMap<QString, int>& map) {
    QStringList parts;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(e(it.key())).arg(it.value());
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

QString modulesText(const CodeFacts& code) {
    return QStringLiteral("%1 (%2 standard, %3 class, %4 behind forms and reports), %5 lines of VBA in %6 "
                          "procedure%7")
        .arg(code.modules())
        .arg(code.standardModules)
        .arg(code.classModules)
        .arg(code.documentModules)
        .arg(code.lines)
        .arg(code.procedures)
        .arg(code.procedures == 1 ? QString() : QStringLiteral("s"));
}

// With --values: what each target cannot hold, by table and column with the first value met, and the rules
// the rows break with the targets whose script names them.
void valuesSection(QString& html, const DatabaseFacts& db) {
    if (!db.valuesRead)
        return;
    html += QStringLiteral("<h3>Values a target cannot hold</h3>\n");
    if (db.unheldValues.isEmpty()) {
        html += QStringLiteral("<p class=\"ok\">none</p>\n");
    } else {
        html += QStringLiteral("<table><tr><th>Target</th><th>Table</th><th>Column</th><th>Values</th>"
                               "<th>What becomes of them</th><th>For example</th></tr>\n");
        for (const UnheldValues& v : db.unheldValues)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td class=\"n\">%4</td><td>%5</td>"
                                   "<td><code>%6</code></td></tr>\n")
                        .arg(e(v.target), e(v.table), e(v.column), QString::number(v.values), e(v.what),
                             e(v.example));
        html += QStringLiteral("</table>\n");
    }
    html += QStringLiteral("<h3>Rules the rows break</h3>\n");
    if (db.brokenRules.isEmpty()) {
        html += QStringLiteral("<p class=\"ok\">none</p>\n");
        return;
    }
    html += QStringLiteral("<table><tr><th>Targets</th><th>Rule, and what the script does</th></tr>\n");
    for (const BrokenRule& rule : db.brokenRules)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n")
                    .arg(rule.targets.isEmpty() ? QStringLiteral("all")
                                                : e(rule.targets.join(QStringLiteral(", "))),
                         e(rule.text));
    html += QStringLiteral("</table>\n");
}

QString anchor(int i) {
    return QStringLiteral("db%1").arg(i + 1);
}

void summary(QString& html, const Assessment& assessment) {
    qint64 largestSize = 0;
    qint64 largestRows = 0;
    for (const DatabaseFacts& db : assessment) {
        largestSize = std::max(largestSize, db.size);
        largestRows = std::max(largestRows, db.rows());
    }
    html += QStringLiteral(
        "<table class=\"summary\"><tr><th>Database</th><th>Status</th><th>Size</th>"
        "<th>Tables</th><th>Rows</th><th>Saved queries</th><th>Modules</th><th>VBA lines</th></tr>\n");
    for (int i = 0; i < assessment.size(); ++i) {
        const DatabaseFacts& db = assessment[i];
        html +=
            QStringLiteral(
                "<tr><td><a href=\"#%1\">%2</a></td><td>%3</td><td>%4</td><td class=\"n\">%5</td>"
                "<td>%6</td><td class=\"n\">%7</td><td class=\"n\">%8</td><td class=\"n\">%9</td></tr>\n")
                .arg(anchor(i), e(QFileInfo(db.path).fileName()), status(db),
                     bar(db.size, largestSize, sizeText(db.size), "size"), QString::number(db.tables.size()),
                     bar(db.rows(), largestRows, QString::number(db.rows()), "rows"),
                     QString::number(db.savedQueries()), QString::number(db.code.modules()),
                     QString::number(db.code.lines));
    }
    const AssessmentTotals t = totals(assessment);
    html += QStringLiteral("<tr><th>Total: %1</th><th>%2 read, %3 partly, %4 not</th><th>%5</th>"
                           "<th class=\"n\">%6</th><th>%7</th><th class=\"n\">%8</th><th class=\"n\">%9</th>"
                           "<th class=\"n\">%10</th></tr></table>\n")
                .arg(t.databases)
                .arg(t.read)
                .arg(t.partly)
                .arg(t.unreadable)
                .arg(sizeText(t.size))
                .arg(t.tables)
                .arg(t.rows)
                .arg(t.savedQueries)
                .arg(t.code.modules())
                .arg(t.code.lines);
    html += QStringLiteral("<p>Forms %1, reports %2, macros %3; modules %4.</p>\n")
                .arg(t.code.forms)
                .arg(t.code.reports)
                .arg(t.code.macros)
                .arg(modulesText(t.code));
    html += QStringLiteral("<table><tr><th>Target</th><th>Views</th><th>Functions</th><th>Procedures</th>"
                           "<th>Not carried over</th></tr>\n");
    for (const TargetQueries& target : targetTotals(assessment))
        html += QStringLiteral("<tr><td>%1</td><td class=\"n\">%2</td><td class=\"n\">%3</td>"
                               "<td class=\"n\">%4</td><td class=\"n\">%5</td></tr>\n")
                    .arg(e(target.target))
                    .arg(target.views)
                    .arg(target.functions)
                    .arg(target.procedures)
                    .arg(target.left.size());
    html += QStringLiteral("</table>\n");
    if (!t.valuesRead) {
        html += QStringLiteral("<p>Values a target cannot hold and rules the rows break were not looked for: "
                               "that takes reading every row (<code>--values</code>).</p>\n");
        return;
    }
    QStringList unheld;
    for (auto it = t.unheld.cbegin(); it != t.unheld.cend(); ++it)
        unheld << QStringLiteral("%1 %2").arg(e(it.key())).arg(it.value());
    html += QStringLiteral("<p>Values a target cannot hold: %1; rules the rows break: %2.</p>\n")
                .arg(unheld.isEmpty() ? QStringLiteral("none") : unheld.join(QStringLiteral(", ")))
                .arg(t.brokenRules);
}

void section(QString& html, const DatabaseFacts& db, int i) {
    html += QStringLiteral("<section id=\"%1\"><h2>%2</h2>\n<dl>").arg(anchor(i), e(db.path));
    const auto fact = [&](const QString& name, const QString& value) {
        html += QStringLiteral("<dt>%1</dt><dd>%2</dd>").arg(name, value);
    };
    fact(QStringLiteral("Status"), status(db));
    if (db.size < 0) { // nothing there
        fact(QStringLiteral("Not read"), QStringLiteral("<span class=\"bad\">%1</span>").arg(e(db.failure)));
        html += QStringLiteral("</dl></section>\n");
        return;
    }
    fact(QStringLiteral("Version"),
         e(db.version.isEmpty() ? QStringLiteral("not an Access file") : db.version));
    fact(QStringLiteral("Size"), QStringLiteral("%1 (%2 bytes)").arg(sizeText(db.size)).arg(db.size));
    fact(QStringLiteral("Encrypted"), !db.encrypted      ? QStringLiteral("no")
                                      : db.passwordGiven ? QStringLiteral("yes, password given")
                                                         : QStringLiteral("yes, no password given"));
    if (!db.read()) {
        fact(QStringLiteral("Not read"), QStringLiteral("<span class=\"bad\">%1</span>").arg(e(db.failure)));
        html += QStringLiteral("</dl></section>\n");
        return;
    }
    fact(QStringLiteral("Column types"), counts(db.columnTypes));
    fact(QStringLiteral("Complex columns"), db.complexColumns.isEmpty()
                                                ? QStringLiteral("none")
                                                : e(db.complexColumns.join(QStringLiteral(", "))));
    fact(QStringLiteral("Linked tables"), QString::number(db.linkedTables()));
    fact(QStringLiteral("Relationships"),
         QStringLiteral("%1 (%2 enforced)").arg(db.relationships).arg(db.enforcedRelationships));
    fact(QStringLiteral("Forms, reports, macros"),
         QStringLiteral("%1, %2, %3").arg(db.code.forms).arg(db.code.reports).arg(db.code.macros));
    fact(QStringLiteral("Modules"), modulesText(db.code));
    for (const QString& warning : db.code.warnings)
        fact(QStringLiteral("Code not read"),
             QStringLiteral("<span class=\"part\">%1</span>").arg(e(warning)));
    if (!db.code.folder.isEmpty()) {
        const QString target = QDir(db.code.folder).absoluteFilePath(QStringLiteral("objects.txt"));
        fact(QStringLiteral("Code"),
             QStringLiteral("<a href=\"%1\">%2</a>")
                 .arg(e(QUrl::fromLocalFile(target).toString(QUrl::FullyEncoded)), e(db.code.folder)));
    }
    if (!db.code.unwritten.isEmpty())
        fact(QStringLiteral("Code not written"),
             QStringLiteral("<span class=\"bad\">%1</span>").arg(e(db.code.unwritten)));
    fact(QStringLiteral("Saved queries"),
         db.queriesFailure.isEmpty()
             ? QStringLiteral("%1 (%2)%3")
                   .arg(db.savedQueries())
                   .arg(counts(db.queryKinds))
                   .arg(db.hiddenQueries ? QStringLiteral(", %1 hidden").arg(db.hiddenQueries) : QString())
             : QStringLiteral("<span class=\"bad\">not read: %1</span>").arg(e(db.queriesFailure)));
    html += QStringLiteral("</dl>\n");

    qint64 largest = 0;
    for (const TableFacts& t : db.tables)
        largest = std::max(largest, t.rows);
    html += QStringLiteral("<table><tr><th>Table</th><th>Rows</th><th>Note</th></tr>\n");
    for (const TableFacts& t : db.tables) {
        const QString rows =
            t.linked ? QStringLiteral("linked") : bar(t.rows, largest, QString::number(t.rows), "rows");
        const QString note =
            !t.unreadable.isEmpty()
                ? QStringLiteral("<span class=\"bad\">not read: %1</span>").arg(e(t.unreadable))
            : t.linked ? QStringLiteral("linked to %1").arg(e(t.linkedDatabase))
                       : QString();
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n").arg(e(t.name), rows, note);
    }
    html += QStringLiteral("</table>\n");
    valuesSection(html, db);

    for (const QString& query : db.unreadQueries)
        html += QStringLiteral("<p class=\"bad\">Query not read: %1</p>\n").arg(e(query));
    if (!db.targets.isEmpty() && db.savedQueries() > 0) {
        html += QStringLiteral("<table><tr><th>Target</th><th>Views</th><th>Functions</th><th>Procedures</th>"
                               "<th>Not carried over, and why</th></tr>\n");
        for (const TargetQueries& target : db.targets) {
            QString left;
            for (const QString& query : target.left)
                left += QStringLiteral("<li>%1</li>").arg(e(query));
            html += QStringLiteral("<tr><td>%1</td><td class=\"n\">%2</td><td class=\"n\">%3</td>"
                                   "<td class=\"n\">%4</td><td>%5</td></tr>\n")
                        .arg(e(target.target))
                        .arg(target.views)
                        .arg(target.functions)
                        .arg(target.procedures)
                        .arg(left.isEmpty() ? QStringLiteral("none")
                                            : QStringLiteral("<ul class=\"left\">%1</ul>").arg(left));
        }
        html += QStringLiteral("</table>\n");
    }
    html += QStringLiteral("</section>\n");
}

} // namespace

QString assessmentHtml(const Assessment& assessment) {
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
                                  "<title>Assessment of Access databases</title>\n<style>") +
                   QLatin1String(style) +
                   QStringLiteral("</style></head><body>\n<h1>Assessment of %1 Access database%2</h1>\n")
                       .arg(assessment.size())
                       .arg(assessment.size() == 1 ? QString() : QStringLiteral("s"));
    summary(html, assessment);
    for (int i = 0; i < assessment.size(); ++i)
        section(html, assessment[i], i);
    html += QStringLiteral("</body></html>\n");
    return html;
}
