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
    if (!out_)
        pages_.emplace_back(pageSize, 0);
    return count_++;
}

void PageFile::set(std::uint32_t number, Page page) {
    if (!out_) {
        pages_[number] = std::move(page);
        return;
    }
    // Pages set out of order leave holes, which read as zeros until their page is set.
    failed_ = failed_ || std::fseek(out_, long(number) * long(pageSize), SEEK_SET) != 0 ||
              std::fwrite(page.data(), 1, pageSize, out_) != pageSize;
    end_ = std::max(end_, number + 1);
}

Bytes PageFile::join() const {
    Bytes out;
    out.reserve(pages_.size() * pageSize);
    for (const auto& p : pages_)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool PageFile::finish() {
    if (out_ && end_ < count_)
        set(count_ - 1, Page(pageSize, 0));
    return !failed_;
}

Bytes LongValueStore::store(const Bytes& value) {
    if (value.size() <= inlineLongValueLimit)
        return longValueInline(value);
    if (value.size() <= onePageLongValueLimit)
        return longValueOnePage(value.size(), place(value));
    return chain(value);
}

Bytes LongValueStore::chain(const Bytes& value) {
    std::vector<std::uint32_t> pages;
    for (std::size_t at = 0; at < value.size(); at += chainChunk)
        pages.push_back(file_.allocate());
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const std::size_t at = k * chainChunk;
        const std::size_t n = std::min(chainChunk, value.size() - at);
        ByteWriter w;
        w.u32(k + 1 < pages.size() ? pageRow(pages[k + 1], 0) : 0);
        w.bytes(Bytes(value.begin() + std::ptrdiff_t(at), value.begin() + std::ptrdiff_t(at + n)));
        file_.set(pages[k], dataPage(lvalOwner, {w.take()}));
    }
    pages_.insert(pages_.end(), pages.begin(), pages.end());
    return longValueChain(value.size(), pageRow(pages.front(), 0));
}

std::uint32_t LongValueStore::place(const Bytes& value) {
    if (!openRows_.empty() &&
        (dataPageFreeSpace(openRows_) < value.size() + 2 || openRows_.size() >= maxRowsPerPage))
        flush();
    if (openRows_.empty()) {
        openPage_ = file_.allocate();
        pages_.push_back(openPage_);
    }
    openRows_.push_back(value);
    return pageRow(openPage_, std::uint32_t(openRows_.size() - 1));
}

void LongValueStore::flush() {
    file_.set(openPage_, dataPage(lvalOwner, openRows_));
    openRows_.clear();
}

void LongValueStore::finish() {
    if (!openRows_.empty())
        flush();
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
