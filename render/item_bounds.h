// Where the symbols and marks of a page were drawn, in pixels: what a pointer press is tested against.
#pragma once

#include <vector>

namespace shinofu::render {

enum class ItemKind { Symbol, Mark };

struct ItemBounds {
    ItemKind kind;
    int part;   // 1..6
    int index;  // in the part's symbol or mark list
    int left;
    int top;
    int right;
    int bottom;

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

using PageItems = std::vector<ItemBounds>;

}  // namespace shinofu::render
