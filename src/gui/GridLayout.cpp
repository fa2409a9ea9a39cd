#include "gui/GridLayout.h"

#include <algorithm>

namespace gui {

namespace {

// One dimension of the grid: the sizes of its tracks laid out in `available`.
struct Axis {
    std::vector<int> sizes;
    std::vector<int> starts;  // sizes.size() + 1 entries
    int minimum = 0;
};

struct Span {
    int first;  // from 0
    int count;
    int need;
};

Axis layoutAxis(std::vector<GridTrack> tracks, const std::vector<Span>& spans, int available,
                int defaultSize) {
    for (const Span& s : spans)
        if (s.first + s.count > static_cast<int>(tracks.size()))
            tracks.resize(static_cast<std::size_t>(s.first + s.count));
    const std::size_t n = tracks.size();
    std::vector<int> content(n, 0);
    std::vector<bool> holds(n, false);
    for (const Span& s : spans) {
        if (s.count != 1) continue;
        const auto i = static_cast<std::size_t>(s.first);
        content[i] = std::max(content[i], s.need);
        holds[i] = true;
    }
    Axis axis;
    axis.sizes.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const GridTrack& t = tracks[i];
        if (t.sizeSet)
            axis.sizes[i] = std::max(t.size, content[i]);
        else
            axis.sizes[i] = holds[i] ? content[i] : defaultSize;
    }
    // An item over several tracks puts what their sum lacks into the last.
    for (const Span& s : spans) {
        if (s.count == 1) continue;
        int sum = 0;
        for (int k = 0; k < s.count; ++k) sum += axis.sizes[static_cast<std::size_t>(s.first + k)];
        if (s.need > sum) axis.sizes[static_cast<std::size_t>(s.first + s.count - 1)] += s.need - sum;
    }
    for (int size : axis.sizes) axis.minimum += size;

    int expandable = 0;
    for (const GridTrack& t : tracks) expandable += t.expandable ? 1 : 0;
    const int extra = available - axis.minimum;
    if (extra > 0 && expandable > 0) {
        const int share = extra / expandable;
        int remainder = extra % expandable;
        for (std::size_t i = 0; i < n; ++i) {
            if (!tracks[i].expandable) continue;
            axis.sizes[i] += share + (remainder > 0 ? 1 : 0);
            if (remainder > 0) --remainder;
        }
    }
    axis.starts.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) axis.starts[i + 1] = axis.starts[i] + axis.sizes[i];
    return axis;
}

}  // namespace

GridLayout layoutGrid(const std::vector<GridTrack>& columns, const std::vector<GridTrack>& rows,
                      const std::vector<GridItem>& items, const Size& available,
                      const Size& defaultCell) {
    std::vector<Span> across, down;
    for (const GridItem& item : items) {
        across.push_back({item.cell.column - 1, std::max(1, item.cell.columns), item.minimum.width});
        down.push_back({item.cell.row - 1, std::max(1, item.cell.rows), item.minimum.height});
    }
    const Axis x = layoutAxis(columns, across, available.width, defaultCell.width);
    const Axis y = layoutAxis(rows, down, available.height, defaultCell.height);
    GridLayout out;
    out.columnWidths = x.sizes;
    out.rowHeights = y.sizes;
    out.minimum = {x.minimum, y.minimum};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Span& a = across[i];
        const Span& d = down[i];
        out.cells.push_back({x.starts[static_cast<std::size_t>(a.first)],
                             y.starts[static_cast<std::size_t>(d.first)],
                             x.starts[static_cast<std::size_t>(a.first + a.count)],
                             y.starts[static_cast<std::size_t>(d.first + d.count)]});
    }
    return out;
}

std::vector<Rect> layoutRow(const std::vector<Size>& children, const Size& margin, int gap) {
    std::vector<Rect> out;
    int x = margin.width;
    for (const Size& s : children) {
        out.push_back(Rect::at(x, margin.height, s.width, s.height));
        x += s.width + gap;
    }
    return out;
}

Size rowMinimum(const std::vector<Size>& children, const Size& margin, int gap) {
    Size out{2 * margin.width, 0};
    for (const Size& s : children) {
        out.width += s.width;
        out.height = std::max(out.height, s.height);
    }
    if (children.size() > 1) out.width += gap * static_cast<int>(children.size() - 1);
    out.height += 2 * margin.height;
    return out;
}

}  // namespace gui
