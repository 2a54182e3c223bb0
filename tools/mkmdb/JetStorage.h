#pragma once
// Where the writer puts things in the file: pages handed out in order, long values moved out of their
// rows onto LVAL pages, and usage-map rows whose slots are taken before their content is known.

#include "JetPages.h"

#include <cstdio>

namespace jet {

// The file under construction: pages by number, handed out in order. Kept in memory, or written to an
// open file as each page is set, so that a file of many rows is never held whole.
class PageFile {
public:
    PageFile() = default;
    explicit PageFile(std::FILE* out) : out_(out) {}
    std::uint32_t allocate();
    void set(std::uint32_t number, Page page);
    std::uint32_t count() const { return count_; }
    // The pages kept in memory, joined.
    Bytes join() const;
    // Writing to a file: gives the file its full length; false if any write failed.
    bool finish();

private:
    std::vector<Page> pages_;
    std::FILE* out_ = nullptr;
    std::uint32_t count_ = 0;
    std::uint32_t end_ = 0; // pages the file holds so far
    bool failed_ = false;
};

// Long values: small ones stay in their row; larger ones go to LVAL pages, as one page row when they fit
// a page and as a chain of full pages otherwise. store() gives the field to put in the row. A chain is
// written at once, a page of single-page values when the next value does not fit it.
class LongValueStore {
public:
    explicit LongValueStore(PageFile& file) : file_(file) {}
    Bytes store(const Bytes& value);
    // Writes the last LVAL page; call once every value is stored.
    void finish();
    const std::vector<std::uint32_t>& pages() const { return pages_; }

private:
    std::uint32_t place(const Bytes& value);
    Bytes chain(const Bytes& value);
    void flush();

    PageFile& file_;
    std::vector<std::uint32_t> pages_;
    std::vector<Bytes> openRows_; // the page that takes the next single-page value, while it has rows
    std::uint32_t openPage_ = 0;
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
