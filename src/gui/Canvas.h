// Canvases: windows that hold and place other windows. A plain canvas places
// nothing; a multi-cell canvas places its children in the cells of a grid; a
// set canvas places them side by side in one row; a view port shows its one
// child and scrolls it when the view is smaller than the child.
#pragma once

#include <string>
#include <vector>

#include "gui/GridLayout.h"
#include "gui/Window.h"

namespace gui {

class Canvas : public Window {
public:
    Canvas(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
           Style style = defaultStyle());
    static Style defaultStyle() { return visible; }

protected:
    Canvas(peer::Kind kind, unsigned long id, Window* parent, Window* owner, const Rect& rect,
           Style style);
};

class MultiCellCanvas : public Canvas {
public:
    // The size of a column or row that holds nothing and is given no size.
    static constexpr Size defaultCell() { return {10, 10}; }

    MultiCellCanvas(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
                    Style style = defaultStyle());

    // Puts a child into the cell (column, row), counted from 1, covering
    // `columns` columns and `rows` rows. A child in no cell takes no place.
    MultiCellCanvas& addToCell(Window& child, int column, int row, int columns = 1,
                               int rows = 1);
    MultiCellCanvas& removeFromCell(Window& child);
    // The cell of a child, or null when it is in none.
    const GridCell* cellOf(const Window& child) const;

    MultiCellCanvas& setColumnWidth(int column, int width, bool expandable = false);
    MultiCellCanvas& setRowHeight(int row, int height, bool expandable = false);
    GridTrack column(int column) const;  // a column or row never set answers a track not set
    GridTrack row(int row) const;

    Size preferredSize() const override;  // what the columns and rows need
    void layout() override;

    // The grid as last laid out, for debugging and tests.
    const GridLayout& lastLayout() const { return last_; }

protected:
    void childRemoved(Window& child) override;

private:
    struct Placement {
        Window* child;
        GridCell cell;
    };
    std::vector<GridItem> items() const;

    std::vector<Placement> placements_;  // in the order they were put
    std::vector<GridTrack> columns_;
    std::vector<GridTrack> rows_;
    GridLayout last_;
};

class SetCanvas : public Canvas {
public:
    // The default settings: children in one row from the left, in creation
    // order, each at its minimum size, `gap` apart, inside `margin`.
    static constexpr Size defaultMargin() { return {0, 6}; }
    static constexpr int defaultGap() { return 6; }

    SetCanvas(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
              Style style = defaultStyle());

    Size preferredSize() const override;
    void layout() override;

private:
    std::vector<Size> childSizes() const;
};

class ViewPort : public Window {
public:
    ViewPort(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
             Style style = defaultStyle());
    static Style defaultStyle() { return visible; }

    // The child shown: the first child.
    Window* viewWindow() const;
    const Point& scrollPosition() const { return position_; }
    ViewPort& scrollTo(const Point& position);

    // The child gets at least the view's size and at least its own minimum
    // size; the part beyond the view is reached through the scroll bars.
    void layout() override;

private:
    Point position_;
};

}  // namespace gui
