#include "CodeExport.h"

#include "CsvExport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <filesystem>
#include <system_error>

namespace {

const QString crLf = QStringLiteral("\r\n");

bool isAttributeLine(const QString& line) {
    return line.startsWith(QLatin1String("Attribute VB_"));
}

// The Attribute lines the VBA editor leaves out of the files it exports: they tie a document module to its
// host and are made again when the module is imported.
bool isHostAttribute(const QString& line) {
    return line.startsWith(QLatin1String("Attribute VB_Base ")) ||
           line.startsWith(QLatin1String("Attribute VB_TemplateDerived ")) ||
           line.startsWith(QLatin1String("Attribute VB_Customizable "));
}

QStringList linesOf(const QString& source) {
    QStringList lines = source.split(crLf);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString kindName(AppObjectKind kind) {
    switch (kind) {
    case AppObjectKind::Form:
        return QStringLiteral("Form");
    case AppObjectKind::Report:
        return QStringLiteral("Report");
    case AppObjectKind::Macro:
        return QStringLiteral("Macro");
    case AppObjectKind::Module:
        return QStringLiteral("Module");
    case AppObjectKind::DataAccessPage:
        return QStringLiteral("DataAccessPage");
    }
    return QStringLiteral("Module");
}

// The module that holds an object's code: a form's and a report's have its name after "Form_" and "Report_".
QString moduleNameOf(const AppObject& object) {
    switch (object.kind) {
    case AppObjectKind::Form:
        return QStringLiteral("Form_") + object.name;
    case AppObjectKind::Report:
        return QStringLiteral("Report_") + object.name;
    case AppObjectKind::Module:
        return object.name;
    case AppObjectKind::Macro:
    case AppObjectKind::DataAccessPage:
        break;
    }
    return {};
}

} // namespace

ModuleCounts countModule(const QString& source) {
    static const QRegularExpression procedure(
        QStringLiteral(
            R"(^\s*(?:(?:Public|Private|Friend)\s+)?(?:Static\s+)?(?:Sub|Function|Property\s+(?:Get|Let|Set))\s)"),
        QRegularExpression::CaseInsensitiveOption);
    ModuleCounts counts;
    for (const QString& line : linesOf(source)) {
        if (isAttributeLine(line))
            continue;
        ++counts.lines;
        if (procedure.match(line).hasMatch())
            ++counts.procedures;
    }
    return counts;
}

QByteArray moduleFileText(const CodeModule& module) {
    QString text;
    if (module.kind != CodeModuleKind::Standard)
        text = QStringLiteral("VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\n");
    for (const QString& line : linesOf(module.source))
        if (!isHostAttribute(line))
            text += line + crLf;
    return text.toUtf8();
}

QByteArray objectsText(const ProjectCode& code, const QHash<QString, QString>& fileOfModule,
                       const QHash<QString, QString>& fileOfMacro) {
    QString text = QStringLiteral("Kind\tName\tFile\tLines\tProcedures\r\n");
    QHash<QString, const CodeModule*> modules;
    for (const CodeModule& module : code.modules)
        modules.insert(module.name.toCaseFolded(), &module);
    QSet<QString> listed;
    const auto line = [&](const QString& kind, const QString& name, const QString& moduleName) {
        const CodeModule* module = moduleName.isEmpty() ? nullptr : modules.value(moduleName.toCaseFolded());
        text += kind + QLatin1Char('\t') + name;
        if (module) {
            listed.insert(module->name);
            const ModuleCounts counts = countModule(module->source);
            text += QStringLiteral("\t%1\t%2\t%3")
                        .arg(fileOfModule.value(module->name))
                        .arg(counts.lines)
                        .arg(counts.procedures);
        }
        text += crLf;
    };
    QHash<QString, QString> macroFiles;
    for (auto macro = fileOfMacro.cbegin(); macro != fileOfMacro.cend(); ++macro)
        macroFiles.insert(macro.key().toCaseFolded(), macro.value());
    for (const AppObject& object : code.objects) {
        if (object.kind == AppObjectKind::Macro) {
            const QString file = macroFiles.take(object.name.toCaseFolded());
            text += kindName(object.kind) + QLatin1Char('\t') + object.name +
                    (file.isEmpty() ? QString() : QLatin1Char('\t') + file) + crLf;
            continue;
        }
        const CodeModule* module = modules.value(moduleNameOf(object).toCaseFolded());
        const bool classModule =
            object.kind == AppObjectKind::Module && module && module->kind != CodeModuleKind::Standard;
        line(classModule ? QStringLiteral("ClassModule") : kindName(object.kind), object.name,
             moduleNameOf(object));
    }
    // Modules of the project that the catalog does not name (a damaged catalog) are listed all the same.
    for (const CodeModule& module : code.modules)
        if (!listed.contains(module.name))
            line(module.kind == CodeModuleKind::Standard ? QStringLiteral("Module")
                                                         : QStringLiteral("ClassModule"),
                 module.name, module.name);
    for (const CodeMacro& macro : code.macros)
        if (macroFiles.contains(macro.name.toCaseFolded()))
            text += QStringLiteral("Macro\t") + macro.name + QLatin1Char('\t') +
                    macroFiles.value(macro.name.toCaseFolded()) + crLf;
    return text.toUtf8();
}

CodeExportOutcome writeProjectCode(const ProjectCode& code, const QString& folder) {
    CodeExportOutcome outcome;
    outcome.warnings = code.warnings;
    std::error_code madeError;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), madeError);
    if (madeError) {
        outcome.unwritten = folder;
        outcome.unwrittenReason = QString::fromStdString(madeError.message());
        return outcome;
    }
    QStringList taken{QStringLiteral("objects.txt")};
    QHash<QString, QString> fileOfModule;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        const QString path = QDir(folder).filePath(name);
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
            outcome.files << path;
            return true;
        }
        outcome.unwritten = path;
        outcome.unwrittenReason = file.errorString();
        return false;
    };
    for (const CodeModule& module : code.modules) {
        const QString name = safeFileName(
            module.name,
            module.kind == CodeModuleKind::Standard ? QStringLiteral(".bas") : QStringLiteral(".cls"), taken);
        fileOfModule.insert(module.name, name);
        if (!write(name, moduleFileText(module)))
            return outcome;
    }
    QHash<QString, QString> fileOfMacro;
    for (const CodeMacro& macro : code.macros) {
        const QString name =
            safeFileName(QStringLiteral("Macro_") + macro.name, QStringLiteral(".xml"), taken);
        fileOfMacro.insert(macro.name, name);
        if (!write(name, macro.xml.toUtf8()))
            return outcome;
    }
    QSet<QString> inProject;
    for (const CodeModule& module : code.modules)
        inProject.insert(module.name.toCaseFolded());
    for (const AppObject& object : code.objects)
        if (object.kind == AppObjectKind::Module && !inProject.contains(object.name.toCaseFolded()))
            outcome.warnings << QStringLiteral("module %1 is named in the catalog but its code was not read")
                                    .arg(object.name);
    write(QStringLiteral("objects.txt"), objectsText(code, fileOfModule, fileOfMacro));
    return outcome;
}
