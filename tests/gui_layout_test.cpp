// The canvases' layout computations: columns and rows with set sizes,
// expandable flags and the minimum sizes of what they hold.
#include <gtest/gtest.h>

#include "gui/GridLayout.h"

namespace {

using gui::GridItem;
using gui::GridTrack;
using gui::Rect;

GridTrack fixed(int size) { return {size, true, false}; }
GridTrack expandable(int size) { return {size, true, true}; }
const GridTrack unset{};
GridItem item(int column, int row, int width, int height, int columns = 1, int rows = 1) {
    return {{column, row, columns, rows}, {width, height}};
}

TEST(GridLayout, TracksAndCells) {
    const gui::Size cell{10, 10};
    const struct {
        const char* what;
        std::vector<GridTrack> columns, rows;
        std::vector<GridItem> items;
        gui::Size available;
        std::vector<int> widths, heights;
        std::vector<Rect> cells;
        gui::Size minimum;
    } rows[] = {
        {"set sizes hold smaller items", {fixed(10), fixed(10)}, {fixed(10)},
         {item(2, 1, 4, 4)}, {0, 0}, {10, 10}, {10}, {{10, 0, 20, 10}}, {20, 10}},
        {"an item wider than its column widens it", {fixed(10), fixed(10)}, {fixed(10)},
         {item(1, 1, 30, 5)}, {0, 0}, {30, 10}, {10}, {{0, 0, 30, 10}}, {40, 10}},
        {"unset tracks take their items' size, empty ones the default cell", {unset, unset},
         {unset, unset}, {item(1, 2, 7, 35)}, {0, 0}, {7, 10}, {10, 35}, {{0, 10, 7, 45}},
         {17, 45}},
        {"tracks beyond those set", {fixed(10)}, {}, {item(3, 1, 5, 5)}, {0, 0}, {10, 10, 5},
         {5}, {{20, 0, 25, 5}}, {25, 5}},
        {"the expandable column takes the space beyond", {fixed(10), expandable(10), fixed(10)},
         {fixed(10)}, {item(2, 1, 0, 0)}, {100, 50}, {10, 80, 10}, {10}, {{10, 0, 90, 10}},
         {30, 10}},
        {"the remainder goes to the first expandable ones",
         {expandable(10), fixed(10), expandable(10), expandable(10)}, {expandable(10), expandable(10)},
         {}, {42, 25}, {11, 10, 11, 10}, {13, 12}, {}, {40, 20}},
        {"less space than needed shrinks nothing", {fixed(10), expandable(10)}, {fixed(10)},
         {item(2, 1, 30, 0)}, {20, 5}, {10, 30}, {10}, {{10, 0, 40, 10}}, {40, 10}},
        {"a spanning item puts its excess into the last track", {fixed(10), fixed(10)},
         {fixed(10), fixed(10)}, {item(1, 1, 50, 15, 2, 2)}, {0, 0}, {10, 40}, {10, 10},
         {{0, 0, 50, 20}}, {50, 20}},
        {"a zero minimum makes no demand", {expandable(10)}, {unset, fixed(10)},
         {item(1, 1, 0, 55)}, {60, 0}, {60}, {55, 10}, {{0, 0, 60, 55}}, {10, 65}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const gui::GridLayout out = gui::layoutGrid(row.columns, row.rows, row.items, row.available, cell);
        EXPECT_EQ(out.columnWidths, row.widths);
        EXPECT_EQ(out.rowHeights, row.heights);
        EXPECT_EQ(out.minimum, row.minimum);
        ASSERT_EQ(out.cells.size(), row.cells.size());
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            EXPECT_EQ(out.cells[i], row.cells[i])
                << i << ": " << out.cells[i].left << "," << out.cells[i].top << " "
                << out.cells[i].right << "," << out.cells[i].bottom;
    }
}

TEST(GridLayout, RowSideBySide) {
    const std::vector<gui::Size> buttons{{75, 23}, {80, 23}, {75, 20}};
    const std::vector<Rect> rects = gui::layoutRow(buttons, {0, 6}, 6);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (Rect{0, 6, 75, 29}));
    EXPECT_EQ(rects[1], (Rect{81, 6, 161, 29}));
    EXPECT_EQ(rects[2], (Rect{167, 6, 242, 26}));
    EXPECT_EQ(gui::rowMinimum(buttons, {0, 6}, 6), (gui::Size{242, 35}));
    EXPECT_EQ(gui::rowMinimum({}, {2, 3}, 6), (gui::Size{4, 6}));
}

}  // namespace
