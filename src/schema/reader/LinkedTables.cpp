#include "LinkedTables.h"

#include "DatabaseFile.h"
#include "NameOrder.h"

#include <dirent.h>
#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace readerprotocol;

namespace {

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

// The file a link points at: the stored path when a file lies there, else a file of the same name in the
// linking database's own folder (stored paths are mostly Windows paths such as Z:\share\file.accdb, and
// Windows file names ignore letter case). Nothing when neither is there.
std::optional<std::string> linkedFile(const std::string& databasePath, const std::string& stored) {
    if (!stored.empty() && stored.front() == '/' && isRegularFile(stored))
        return stored;
    const std::size_t cut = stored.find_last_of("\\/");
    const std::string fileName = cut == std::string::npos ? stored : stored.substr(cut + 1);
    if (fileName.empty() || fileName == "." || fileName == "..")
        return std::nullopt;
    const std::size_t slash = databasePath.find_last_of('/');
    const std::string folder = slash == std::string::npos
                                   ? std::string(".")
                                   : databasePath.substr(0, std::max<std::size_t>(slash, 1));
    const std::string beside = folder + "/" + fileName;
    if (isRegularFile(beside))
        return beside;

    struct FolderCloser {
        void operator()(DIR* folder) const { ::closedir(folder); }
    };
    std::unique_ptr<DIR, FolderCloser> entries(::opendir(folder.c_str()));
    if (!entries)
        return std::nullopt;
    const std::string wanted = foldedName(fileName);
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::string candidate = folder + "/" + entry->d_name;
        if (foldedName(entry->d_name) == wanted && isRegularFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

// A link found in the linked file is not followed, so a link to itself or a ring of links ends at once.
TableSchema describeLinkedTable(const std::string& path, const CatalogTable& link, TableParts parts) {
    // A catalog without both link columns stores no link that could be followed.
    const std::string stored = link.linkColumns ? link.database : std::string();
    const std::string foreignName = link.linkColumns ? link.foreignName : std::string();
    const std::optional<std::string> file = linkedFile(path, stored);
    if (!file)
        return notRead(link.name);
    TableSchema failed;
    failed.name = link.name;
    failed.indexes.kind = IndexesAnswer::Kind::Unreadable;
    Credentials none; // a linked file opens without a password
    Database linked;
    if (openDatabase(*file, none, linked))
        return failed;
    std::optional<CatalogTable> target =
        findTable(linked.get(), foreignName.empty() ? link.name : foreignName);
    if (!target)
        return failed;
    TableSchema schema =
        describeTable(linked.get(), *file, *target,
                      {.fields = parts.fields, .indexes = parts.indexes, .followLinks = false});
    schema.name = link.name;
    return schema;
}
