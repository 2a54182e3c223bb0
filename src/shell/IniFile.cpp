#include "IniFile.h"

// Without a converter choice SimpleIni.h wants ConvertUTF.h, which the Debian package does not ship; its
// library is built with the ICU converter, so say the same here. Only the 8-bit (UTF-8) variant is used.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <string>
#include <string_view>

namespace {

// The profile functions read into a 2048-character buffer that keeps room for the terminator.
constexpr qsizetype maxValueLength = 2047;
constexpr std::string_view utf8Signature = "\xEF\xBB\xBF";

// CSimpleIniA compares section and key names without regard to ASCII letter case; CSimpleIniCaseA would not.
// One key per name (a later duplicate in a hand-made file replaces the earlier one), and no "<<<" multi-line
// values, so every value is exactly the rest of its line.
class IniDocument {
public:
    IniDocument() : ini(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false) {
        ini.SetSpaces(false);
    }
    CSimpleIniA ini;
};

enum class FileState { Missing, Unreadable, Read };

struct FileBytes {
    FileState state = FileState::Missing;
    QByteArray bytes;
};

FileBytes readWholeFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return {FileState::Missing, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileState::Unreadable, {}};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {FileState::Unreadable, {}};
    return {FileState::Read, bytes};
}

bool breaksLine(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text.contains(QChar(0));
}

bool isCommentStart(char c) {
    return c == ';' || c == '#';
}

// A name the file can hold on one line and give back unchanged: not empty, no blanks around it (they are
// dropped on reading), and none of the characters that end it.
bool isStorableSection(const QString& name) {
    return !name.isEmpty() && name == name.trimmed() && !breaksLine(name) && !name.contains(QLatin1Char(']'));
}

bool isStorableKey(const QString& name) {
    return !name.isEmpty() && name == name.trimmed() && !breaksLine(name) &&
           !name.contains(QLatin1Char('=')) && !name.startsWith(QLatin1Char('[')) &&
           !isCommentStart(name.front().toLatin1());
}

QString firstCodePoints(const QString& text, qsizetype count) {
    qsizetype end = 0;
    for (qsizetype seen = 0; end < text.size() && seen < count; ++seen) {
        const bool pair =
            text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

std::string_view withoutSignature(std::string_view text) {
    if (text.substr(0, utf8Signature.size()) == utf8Signature)
        text.remove_prefix(utf8Signature.size());
    return text;
}

// SimpleIni keeps a comment by attaching it to the section or key that follows it, and the comment block at
// the very top as the file's own comment; comment lines after the last section or key have nothing to attach
// to and would be lost on saving. This finds them in the old text, so the new text can carry them on.
std::string trailingComments(std::string_view text) {
    size_t lastEntryEnd = std::string_view::npos; // just past the line end of the last section or key line
    bool leadingCommentsOpen = !text.empty() && isCommentStart(text.front());
    size_t leadingCommentsEnd = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(start, end - start);
        const size_t first = line.find_first_not_of(" \t\r\n");
        if (leadingCommentsOpen && isCommentStart(line.front()))
            leadingCommentsEnd = end;
        else
            leadingCommentsOpen = false;
        if (first != std::string_view::npos && !isCommentStart(line[first]))
            lastEntryEnd = end;
        start = end;
    }
    const size_t tailStart = lastEntryEnd != std::string_view::npos ? lastEntryEnd : leadingCommentsEnd;
    const std::string_view tail = text.substr(tailStart);

    std::string kept;
    bool anyComment = false;
    for (size_t start = 0; start < tail.size();) {
        size_t end = tail.find('\n', start);
        end = end == std::string_view::npos ? tail.size() : end + 1;
        std::string_view line = tail.substr(start, end - start);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        const size_t first = line.find_first_not_of(" \t");
        anyComment = anyComment || (first != std::string_view::npos && isCommentStart(line[first]));
        kept.append(line).append("\n");
        start = end;
    }
    return anyComment ? kept : std::string();
}

bool replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short write (disk full, file size limit) shows only in write() or flush(): commit() alone would still
    // rename the truncated file over the old one. Leaving without commit() removes the temporary file.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString readValue(const QString& path, const QString& section, const QString& key,
                  const QString& defaultValue) {
    const FileBytes file = readWholeFile(path);
    if (file.state == FileState::Unreadable)
        return QString();
    QString value;
    if (file.state == FileState::Read) {
        IniDocument document;
        if (document.ini.LoadData(file.bytes.constData(), size_t(file.bytes.size())) < 0)
            return QString();
        const char* stored =
            document.ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
        if (stored)
            value = firstCodePoints(QString::fromUtf8(stored), maxValueLength);
    }
    return value.isEmpty() && !defaultValue.isEmpty() ? defaultValue : value;
}

bool writeValues(const QString& path, const QString& section, const QList<IniEntry>& entries) {
    if (!isStorableSection(section))
        return false;
    bool allStorable = true;
    QList<IniEntry> storable;
    for (const IniEntry& entry : entries) {
        if (isStorableKey(entry.key) && !breaksLine(entry.value))
            storable.append(entry);
        else
            allStorable = false;
    }
    if (storable.isEmpty())
        return allStorable;
    const FileBytes file = readWholeFile(path);
    if (file.state == FileState::Unreadable)
        return false; // never replace a file whose other keys could not be read

    const std::string_view oldText(file.bytes.constData(), size_t(file.bytes.size()));
    IniDocument document;
    if (document.ini.LoadData(oldText.data(), oldText.size()) < 0)
        return false;
    for (const IniEntry& entry : storable) {
        if (document.ini.SetValue(section.toUtf8().constData(), entry.key.toUtf8().constData(),
                                  entry.value.toUtf8().constData()) < 0)
            return false;
    }
    const bool hadSignature = oldText.substr(0, utf8Signature.size()) == utf8Signature;
    std::string newText;
    if (document.ini.Save(newText, hadSignature) < 0)
        return false;
    newText += trailingComments(withoutSignature(oldText));

    if (file.state == FileState::Read && std::string_view(newText) == oldText)
        return allStorable; // already holds the values
    return replaceFile(path, QByteArray::fromStdString(newText)) && allStorable;
}

} // namespace

QString ReadIniValue(const QString& file, const QString& section, const QString& key,
                     const QString& defaultValue) {
    try {
        return readValue(file, section, key, defaultValue);
    } catch (...) { // out of memory: a failed read
        return QString();
    }
}

bool WriteIniValue(const QString& file, const QString& section, const QString& key, const QString& value) {
    return WriteIniValues(file, section, {IniEntry{key, value}});
}

bool WriteIniValues(const QString& file, const QString& section, const QList<IniEntry>& entries) {
    try {
        return writeValues(file, section, entries);
    } catch (...) { // out of memory: the old file is untouched
        return false;
    }
}
