// Fuzzes the rebuild of saved queries with arbitrary MSysQueries rows: the input is read as queries (a
// flags byte each) and rows (an object, an attribute, a flag and three texts each), and every query is
// rebuilt. Every answer must be a statement ending in ";" or a reason, never a crash, a hang or a leak.

#include "QueryRebuild.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Null (length 0xFF), or a text of up to 64 bytes.
    std::optional<std::string> text() {
        const std::uint8_t length = byte();
        if (length == 0xFF)
            return std::nullopt;
        std::string value;
        for (std::uint8_t i = 0; i < length % 64 && more(); ++i)
            value += char(byte());
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Kinds the engine has and one it lacks, hidden or not.
constexpr std::uint32_t objectFlags[] = {0, 16, 32, 48, 64, 80, 96, 112, 128, 144, 8, 136};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    std::vector<QueryObject> objects;
    const int queries = in.byte() % 4 + 1;
    for (int q = 0; q < queries; ++q)
        objects.push_back({"Q" + std::to_string(q), std::uint32_t(q),
                           objectFlags[in.byte() % (sizeof objectFlags / sizeof objectFlags[0])]});
    std::vector<QueryRow> rows;
    while (in.more() && rows.size() < 256) {
        QueryRow row;
        row.objectId = in.byte() % std::uint32_t(queries + 1);
        row.attribute = in.byte() % 13;
        if (const std::uint8_t flag = in.byte(); flag != 0xFF)
            row.flag = int(std::int8_t(flag)) * 257;
        row.name1 = in.text();
        row.name2 = in.text();
        row.expression = in.text();
        rows.push_back(std::move(row));
    }
    const readerprotocol::QueriesAnswer answer = rebuildQueries(objects, rows);
    if (answer.queries.size() + answer.unread.size() != objects.size())
        std::abort();
    for (const readerprotocol::StoredQuery& query : answer.queries)
        if (query.sql.empty() || query.sql.back() != ';')
            std::abort();
    return 0;
}
