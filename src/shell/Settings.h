#pragma once
// The settings store: where the per-user settings file lives, and the fourteen main-window control states
// that are loaded from and saved to its "Options" section.

#include "SettingsControls.h"

#include <QProcessEnvironment>
#include <QString>

// Full path of the settings file. Start-up sets it once, before LoadSettings runs; nothing changes it
// afterwards.
QString SettingsFile();
void SetSettingsFile(const QString& path);

// The folder that holds the settings folder: "AppData" (or "APPDATA") when set and not empty, otherwise
// $XDG_CONFIG_HOME when it is an absolute path, otherwise ~/.config.
QString SettingsBaseFolder(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

struct SettingsLocation {
    QString folder; // base folder + "/" + executable name
    QString file;   // folder + "/" + executable name + ".ini"
};

// `executable` is the executable's path or file name; its extension, if any, is dropped, so an executable
// renamed to "Other.exe" or "Other" keeps its settings in "<base>/Other/Other.ini".
SettingsLocation ComposeSettingsLocation(const QString& baseFolder, const QString& executable);

// True exactly when `path` names an existing folder.
bool FolderExists(const QString& path);

struct FolderResult {
    bool ok = false;
    QString error; // when !ok: a message for the user naming the folder and the reason
};

// Makes `folder` and any missing folders above it; a folder that already exists is left as it is.
FolderResult MakeSettingsFolder(const QString& folder);

// Copies the stored values, or their defaults, into the controls. A stored value the program never writes
// leaves its control as it is. The one-argument forms use SettingsFile().
void LoadSettings(SettingsControls& controls, const QString& file);
void LoadSettings(SettingsControls& controls);

// Writes the fourteen control states, texts trimmed, one key at a time; a failed write does not stop the
// others. True when every key was written.
bool SaveSettings(const SettingsControls& controls, const QString& file);
bool SaveSettings(const SettingsControls& controls);
