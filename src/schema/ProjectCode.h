#pragma once
// The forms, reports, macros, modules and data access pages of an Access application, and the source of
// its VBA modules, as the reader gives them (RequestKind::Code).

#include <QList>
#include <QString>
#include <QStringList>

enum class AppObjectKind { Form = 0, Report, Macro, Module, DataAccessPage };

struct AppObject {
    QString name;
    AppObjectKind kind = AppObjectKind::Form;
    bool operator==(const AppObject&) const = default;
};

// Standard modules are written as NAME.bas, class modules as NAME.cls, and the modules behind forms and
// reports (Form_NAME, Report_NAME) as NAME.cls too.
enum class CodeModuleKind { Standard = 0, Class, Document };

struct CodeModule {
    QString name;
    CodeModuleKind kind = CodeModuleKind::Standard;
    QString source; // the Attribute lines, then the code, each line ending in CR LF
    bool operator==(const CodeModule&) const = default;
};

// A macro kept as XML (Access 2010 and later): written as Macro_NAME.xml.
struct CodeMacro {
    QString name;
    QString xml; // as stored, its declaration saying UTF-8
    bool operator==(const CodeMacro&) const = default;
};

struct ProjectCode {
    QList<AppObject> objects; // by kind, then name
    QList<CodeModule> modules;
    QList<CodeMacro> macros;
    QStringList warnings; // what of the project could not be read, and why
};
