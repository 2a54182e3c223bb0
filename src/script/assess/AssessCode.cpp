#include "AssessCode.h"

#include "CodeExport.h"
#include "ReaderProcess.h"

CodeFacts assessCode(const QString& path, ReaderProcess& reader, const QString& folder) {
    CodeFacts facts;
    const auto answer = reader.ReadProjectCode(path);
    if (const auto* failure = std::get_if<ReadFailure>(&answer)) {
        facts.warnings << failure->description;
        return facts;
    }
    const ProjectCode& code = std::get<ProjectCode>(answer);
    for (const AppObject& object : code.objects) {
        facts.forms += object.kind == AppObjectKind::Form ? 1 : 0;
        facts.reports += object.kind == AppObjectKind::Report ? 1 : 0;
        facts.macros += object.kind == AppObjectKind::Macro ? 1 : 0;
    }
    for (const CodeModule& module : code.modules) {
        facts.standardModules += module.kind == CodeModuleKind::Standard ? 1 : 0;
        facts.classModules += module.kind == CodeModuleKind::Class ? 1 : 0;
        facts.documentModules += module.kind == CodeModuleKind::Document ? 1 : 0;
        const ModuleCounts counts = countModule(module.source);
        facts.lines += counts.lines;
        facts.procedures += counts.procedures;
    }
    facts.warnings = code.warnings;
    if (folder.isEmpty())
        return facts;
    // The export's own warnings are the project's, and the modules the catalog names that were not read.
    const CodeExportOutcome outcome = writeProjectCode(code, folder);
    facts.warnings = outcome.warnings;
    if (outcome.unwritten.isEmpty())
        facts.folder = folder;
    else
        facts.unwritten = QStringLiteral("%1: %2").arg(outcome.unwritten, outcome.unwrittenReason);
    return facts;
}
