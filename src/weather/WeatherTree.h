#pragma once
#include "weather/WeatherFileEntry.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace kesmar {

// The list page's tree as data: nine roots in their fixed order, each with
// its children (newest first), images and item data. Item data of a child is
// the root's data + entry position + 1, so (data & 0x3FF) - 1 finds the
// entry again and is -1 for a root.
class WeatherTree {
public:
    enum Image { Folder = 0, Bulletin = 2, Navtex = 3, Synop = 4, Fax = 5 };

    struct Item {
        QString text;
        int image = Folder;
        uint32_t data = 0;
    };
    struct Root {
        Item item;
        std::vector<Item> children;
    };

    static std::vector<Root> build(const std::vector<WeatherFileEntry>& entries);
    // The entry an item's data names, or -1 for a root.
    static int entryIndex(uint32_t itemData) { return static_cast<int>(itemData & 0x3FF) - 1; }
};

} // namespace kesmar
