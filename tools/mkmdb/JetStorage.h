#pragma once
// Where the writer puts things in the file: pages handed out in order, long values moved out of their
// rows onto LVAL pages, and usage-map rows whose slots are taken before their content is known.

#include "JetPages.h"

namespace jet {

// The file under construction: pages by number, handed out in order.
class PageFile {
public:
    std::uint32_t allocate();
    void set(std::uint32_t number, Page page) { pages_[number] = std::move(page); }
    std::uint32_t count() const { return std::uint32_t(pages_.size()); }
    Bytes join() const;

private:
    std::vector<Page> pages_;
};

// Long values: small ones stay in their row; larger ones go to LVAL pages, as one page row when they fit
// a page and as a chain of full pages otherwise. store() gives the field to put in the row.
class LongValueStore {
public:
    explicit LongValueStore(PageFile& file) : file_(file) {}
    Bytes store(const Bytes& value);
    // Writes the LVAL pages; call once every value is stored.
    void finish();
    const std::vector<std::uint32_t>& pages() const { return pages_; }

private:
    std::uint32_t place(const Bytes& value);
    Bytes chain(const Bytes& value);

    PageFile& file_;
    std::vector<std::uint32_t> pages_;
    std::vector<std::vector<Bytes>> rows_;
    int open_ = -1; // the page that takes the next single-page value, if any
};

// Usage-map rows, on data pages of their own.
class UsageMaps {
public:
    explicit UsageMaps(PageFile& file) : file_(file) {}
    // A slot for one map, as a page/row pointer; it names no page until filled.
    std::uint32_t reserve();
    // Makes the slot name `pages`, with bitmap pages of its own when they span more than an inline map.
    void fill(std::uint32_t slot, const std::vector<std::uint32_t>& pages);
    // Writes the map pages; call once every map is filled.
    void finish();

private:
    PageFile& file_;
    std::vector<std::uint32_t> pages_;
    std::vector<std::vector<Bytes>> rows_;
};

} // namespace jet
