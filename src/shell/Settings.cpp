#include "Settings.h"

#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

const QString optionsSection = QStringLiteral("Options");

struct CheckRow {
    StoredCheck box;
    const char* key; // read and written under the same name
};

// The ten stored check boxes in the order the file lists them. chkCrePer comes before the four grant boxes,
// so its click handling has run by the time they receive their own stored values.
constexpr std::array<CheckRow, 10> checkRows{{
    {StoredCheck::chkStripIll, "chkstripill"},
    {StoredCheck::chkCreatePK, "chkcreatepk"},
    {StoredCheck::chkIndex, "chkindex"},
    {StoredCheck::chkGO, "chkgo"},
    {StoredCheck::chkMS, "chkms"},
    {StoredCheck::chkCrePer, "chkcreper"},
    {StoredCheck::chkSel, "chksel"},
    {StoredCheck::chkIns, "chkins"},
    {StoredCheck::chkDel, "chkdel"},
    {StoredCheck::chkUp, "chkup"},
}};

QString& settingsFilePath() {
    static QString path;
    return path;
}

// The program writes "True" and "False"; anything else (a hand-edited word, or the empty text of a failed
// read) is no selection state at all, and the button keeps the one it has.
std::optional<bool> optionFromText(const QString& text) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

// Likewise only 0, 1 and 2 are check states; any other text leaves the box as it is.
std::optional<CheckState> checkFromText(const QString& text) {
    bool isNumber = false;
    const int state = text.trimmed().toInt(&isNumber);
    if (!isNumber || state < 0 || state > 2)
        return std::nullopt;
    return static_cast<CheckState>(state);
}

QString optionText(bool selected) {
    return selected ? QStringLiteral("True") : QStringLiteral("False");
}

QString checkText(CheckState state) {
    return QString::number(static_cast<int>(state));
}

} // namespace

QString SettingsFile() {
    return settingsFilePath();
}

void SetSettingsFile(const QString& path) {
    settingsFilePath() = path;
}

QString SettingsBaseFolder(const QProcessEnvironment& environment) {
    // Environment names are case-sensitive here, unlike on the system whose variable this is.
    for (const char* name : {"AppData", "APPDATA"}) {
        const QString value = environment.value(QLatin1String(name));
        if (!value.isEmpty())
            return value;
    }
    // A relative $XDG_CONFIG_HOME is invalid and must be ignored.
    const QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (!configHome.isEmpty() && QDir::isAbsolutePath(configHome))
        return configHome;
    QString home = environment.value(QStringLiteral("HOME"));
    if (home.isEmpty())
        home = QDir::homePath();
    return home + QStringLiteral("/.config");
}

SettingsLocation ComposeSettingsLocation(const QString& baseFolder, const QString& executable) {
    const QString name = QFileInfo(executable).completeBaseName();
    const QString folder = QDir::cleanPath(baseFolder + QLatin1Char('/') + name);
    return {folder, folder + QLatin1Char('/') + name + QStringLiteral(".ini")};
}

bool FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

FolderResult MakeSettingsFolder(const QString& folder) {
    const auto failure = [&folder](const QString& reason) {
        return FolderResult{false, QStringLiteral("The settings folder \"%1\" cannot be created: %2.")
                                       .arg(QDir::toNativeSeparators(folder), reason)};
    };
    if (folder.isEmpty())
        return failure(QStringLiteral("no folder name"));
    std::error_code error;
    try {
        std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    } catch (...) { // out of memory
        return failure(QStringLiteral("out of memory"));
    }
    if (FolderExists(folder))
        return {true, QString()};
    if (error)
        return failure(QString::fromLocal8Bit(error.message().c_str()));
    return failure(QStringLiteral("a file of that name is in the way"));
}

void LoadSettings(SettingsControls& controls, const QString& file) {
    const auto read = [&file](const char* key, const char* defaultValue) {
        return ReadIniValue(file, optionsSection, QLatin1String(key), QLatin1String(defaultValue));
    };
    // optStrip first: selecting it clears optChange, and a stored "False" for optChange then changes nothing,
    // while a stored "True" selects optChange and clears optStrip again.
    if (const auto selected = optionFromText(read("optstrip", "True")))
        controls.setOptStrip(*selected);
    if (const auto selected = optionFromText(read("optChange", "False")))
        controls.setOptChange(*selected);
    for (const CheckRow& row : checkRows) {
        if (const auto state = checkFromText(read(row.key, "0")))
            controls.setCheck(row.box, *state);
    }
    controls.setUserNames(read("txtusers", ""));
    controls.setPath(read("path", ""));
}

void LoadSettings(SettingsControls& controls) {
    LoadSettings(controls, SettingsFile());
}

bool SaveSettings(const SettingsControls& controls, const QString& file) {
    // The fourteen keys in one replacement of the file, so closing waits for the disk once.
    QList<IniEntry> entries;
    const auto write = [&](const char* key, const QString& text) {
        entries.append(IniEntry{QLatin1String(key), text.trimmed()});
    };
    write("optstrip", optionText(controls.optStrip()));
    write("optchange", optionText(controls.optChange()));
    for (const CheckRow& row : checkRows)
        write(row.key, checkText(controls.check(row.box)));
    write("txtusers", controls.userNames());
    write("path", controls.path());
    return WriteIniValues(file, optionsSection, entries);
}

bool SaveSettings(const SettingsControls& controls) {
    return SaveSettings(controls, SettingsFile());
}
