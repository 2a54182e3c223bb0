#pragma once
// Names as the engine orders and matches them: without regard to letter case.

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The key names are ordered and matched by: the case-folded name (plain bytes when it is not UTF-8).
std::string foldedName(const std::string& name);

// Orders items by name without regard to case (names equal but for case by their bytes), folding each
// name once.
template <typename Item, typename NameOf> void sortByName(std::vector<Item>& items, NameOf nameOf) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keys.emplace_back(foldedName(nameOf(items[i])), i);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : nameOf(items[a.second]) < nameOf(items[b.second]);
    });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(items[key.second]));
    items = std::move(sorted);
}
