#include "JetStorage.h"

#include <algorithm>

namespace jet {

namespace {

// Access keeps long values of up to 64 bytes in the row itself.
constexpr std::size_t inlineLongValueLimit = 64;
constexpr std::size_t onePageLongValueLimit = pageSize - dataPageHeader - 2;
constexpr std::size_t chainChunk = onePageLongValueLimit - 4; // each chain row starts with the next pointer
constexpr std::size_t mapRowsPerPage = (pageSize - dataPageHeader) / (usageMapRowSize + 2);

} // namespace

std::uint32_t PageFile::allocate() {
    pages_.emplace_back(pageSize, 0);
    return std::uint32_t(pages_.size() - 1);
}

Bytes PageFile::join() const {
    Bytes out;
    out.reserve(pages_.size() * pageSize);
    for (const auto& p : pages_)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes LongValueStore::store(const Bytes& value) {
    if (value.size() <= inlineLongValueLimit)
        return longValueInline(value);
    if (value.size() <= onePageLongValueLimit)
        return longValueOnePage(value.size(), place(value));
    return chain(value);
}

Bytes LongValueStore::chain(const Bytes& value) {
    const std::size_t first = pages_.size();
    for (std::size_t at = 0; at < value.size(); at += chainChunk) {
        pages_.push_back(file_.allocate());
        rows_.emplace_back();
    }
    for (std::size_t k = first; k < pages_.size(); ++k) {
        const std::size_t at = (k - first) * chainChunk;
        const std::size_t n = std::min(chainChunk, value.size() - at);
        ByteWriter w;
        w.u32(k + 1 < pages_.size() ? pageRow(pages_[k + 1], 0) : 0);
        w.bytes(Bytes(value.begin() + std::ptrdiff_t(at), value.begin() + std::ptrdiff_t(at + n)));
        rows_[k].push_back(w.take());
    }
    return longValueChain(value.size(), pageRow(pages_[first], 0));
}

std::uint32_t LongValueStore::place(const Bytes& value) {
    if (open_ < 0 || dataPageFreeSpace(rows_[std::size_t(open_)]) < value.size() + 2 ||
        rows_[std::size_t(open_)].size() >= maxRowsPerPage) {
        pages_.push_back(file_.allocate());
        rows_.emplace_back();
        open_ = int(pages_.size() - 1);
    }
    auto& rows = rows_[std::size_t(open_)];
    rows.push_back(value);
    return pageRow(pages_[std::size_t(open_)], std::uint32_t(rows.size() - 1));
}

void LongValueStore::finish() {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        file_.set(pages_[i], dataPage(lvalOwner, rows_[i]));
}

std::uint32_t UsageMaps::reserve() {
    if (rows_.empty() || rows_.back().size() >= mapRowsPerPage) {
        pages_.push_back(file_.allocate());
        rows_.emplace_back();
    }
    rows_.back().push_back(Bytes(usageMapRowSize, 0));
    return pageRow(pages_.back(), std::uint32_t(rows_.back().size() - 1));
}

void UsageMaps::fill(std::uint32_t slot, const std::vector<std::uint32_t>& pages) {
    auto map = inlineUsageMap(pages);
    if (!map) {
        std::vector<std::uint32_t> bitmaps;
        const auto last = *std::max_element(pages.begin(), pages.end());
        for (std::uint32_t block = 0; block <= last / bitmapPagePages; ++block) {
            const auto page = file_.allocate();
            file_.set(page, usageBitmapPage(pages, block));
            bitmaps.push_back(page);
        }
        map = referenceUsageMap(bitmaps);
    }
    const auto at = std::find(pages_.begin(), pages_.end(), slot >> 8) - pages_.begin();
    rows_[std::size_t(at)][slot & 0xFF] = *map;
}

void UsageMaps::finish() {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        file_.set(pages_[i], dataPage(0, rows_[i]));
}

} // namespace jet
