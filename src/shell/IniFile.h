#pragma once
// One key of one section of an INI file, read and written the way the settings store needs it: section and
// key names match without regard to letter case, values are UTF-8 text, neither function ever throws, and
// every write replaces the whole file atomically.

#include <QList>
#include <QString>

// The value of `key` in `section` of `file`, cut to its first 2047 characters (code points). A missing file,
// section or key, or a key with an empty value, reads as `defaultValue`, so an empty default never replaces
// anything. A file that exists but cannot be read gives the empty text.
QString ReadIniValue(const QString& file, const QString& section, const QString& key,
                     const QString& defaultValue);

// Sets `key` in `section` of `file` to `value`, creating the file (in an existing folder), the section and
// the key as needed. An existing key (matched without regard to case) keeps its spelling and place; comments
// and other keys stay as they are. The new file is written beside the old one and renamed over it, so on any
// failure the old file stays whole and the result is false. A value holding a line break cannot be stored on
// one line and is refused (false).
bool WriteIniValue(const QString& file, const QString& section, const QString& key, const QString& value);

// Sets several keys of `section` at once, as that many WriteIniValue calls in this order would, but reading
// and replacing the file only once: each replacement waits for the disk, which a program that saves on
// closing cannot afford a dozen times. A key that cannot be stored (a value with a line break) is left out
// and makes the result false; the others are written all the same.
struct IniEntry {
    QString key;
    QString value;
};
bool WriteIniValues(const QString& file, const QString& section, const QList<IniEntry>& entries);
