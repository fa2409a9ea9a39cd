// The layout computations of the canvases, as pure functions over records of
// columns, rows and children, testable with no window.
#pragma once

#include <vector>

#include "gui/Geometry.h"

namespace gui {

// A column (its width) or a row (its height).
struct GridTrack {
    int size = 0;
    bool sizeSet = false;  // a size was given
    bool expandable = false;
};

struct GridCell {
    int column = 1;  // counted from 1
    int row = 1;
    int columns = 1;
    int rows = 1;
};

struct GridItem {
    GridCell cell;
    Size minimum;
};

struct GridLayout {
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    std::vector<Rect> cells;  // per item, in the canvas's client coordinates
    Size minimum;             // what the columns and rows need together
};

// A track's size is the larger of the size given for it and the minimum sizes
// of the items in it; a track given no size takes what its items need, and
// `defaultCell` when it holds nothing. An item spanning several tracks puts its
// excess over their sum into the last of them. Space beyond the sum goes to the
// expandable tracks in equal shares, the remainder one pixel each to the first
// ones; with less space than the sum nothing shrinks. `columns` and `rows` may
// be shorter than the grid the items reach.
GridLayout layoutGrid(const std::vector<GridTrack>& columns, const std::vector<GridTrack>& rows,
                      const std::vector<GridItem>& items, const Size& available,
                      const Size& defaultCell);

// Children side by side from the left inside `margin`, each at its own size,
// `gap` apart, top-aligned; and the size the row needs.
std::vector<Rect> layoutRow(const std::vector<Size>& children, const Size& margin, int gap);
Size rowMinimum(const std::vector<Size>& children, const Size& margin, int gap);

}  // namespace gui
