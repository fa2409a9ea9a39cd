#include "gui/Canvas.h"

#include <algorithm>

#include "gui/Exception.h"

namespace gui {

Canvas::Canvas(unsigned long id, Window* parent, Window* owner, const Rect& rect, Style style)
    : Canvas(peer::Kind::canvas, id, parent, owner, rect, style) {}

Canvas::Canvas(peer::Kind kind, unsigned long id, Window* parent, Window* owner,
               const Rect& rect, Style style)
    : Window(kind, id, parent, owner, rect, style) {}

// ---- multi-cell canvas --------------------------------------------------------

MultiCellCanvas::MultiCellCanvas(unsigned long id, Window* parent, Window* owner,
                                 const Rect& rect, Style style)
    : Canvas(id, parent, owner, rect, style) {}

MultiCellCanvas& MultiCellCanvas::addToCell(Window& child, int column, int row, int columns,
                                            int rows) {
    if (child.parent() != this || column < 1 || row < 1 || columns < 1 || rows < 1) {
        Exception error("The window cannot be put into that cell.", 0, "gui::MultiCellCanvas");
        GUI_THROW(error);
    }
    removeFromCell(child);
    placements_.push_back({&child, {column, row, columns, rows}});
    return *this;
}

MultiCellCanvas& MultiCellCanvas::removeFromCell(Window& child) {
    placements_.erase(std::remove_if(placements_.begin(), placements_.end(),
                                     [&](const Placement& p) { return p.child == &child; }),
                      placements_.end());
    return *this;
}

const GridCell* MultiCellCanvas::cellOf(const Window& child) const {
    for (const Placement& p : placements_)
        if (p.child == &child) return &p.cell;
    return nullptr;
}

namespace {
void setTrack(std::vector<GridTrack>& tracks, int index, int size, bool expandable) {
    if (index < 1) {
        Exception error("Columns and rows are counted from 1.", 0, "gui::MultiCellCanvas");
        GUI_THROW(error);
    }
    if (static_cast<int>(tracks.size()) < index) tracks.resize(static_cast<std::size_t>(index));
    tracks[static_cast<std::size_t>(index - 1)] = {size, true, expandable};
}
GridTrack track(const std::vector<GridTrack>& tracks, int index) {
    if (index < 1 || index > static_cast<int>(tracks.size())) return GridTrack();
    return tracks[static_cast<std::size_t>(index - 1)];
}
}  // namespace

MultiCellCanvas& MultiCellCanvas::setColumnWidth(int column, int width, bool expandable) {
    setTrack(columns_, column, width, expandable);
    return *this;
}

MultiCellCanvas& MultiCellCanvas::setRowHeight(int row, int height, bool expandable) {
    setTrack(rows_, row, height, expandable);
    return *this;
}

GridTrack MultiCellCanvas::column(int column) const { return track(columns_, column); }
GridTrack MultiCellCanvas::row(int row) const { return track(rows_, row); }

std::vector<GridItem> MultiCellCanvas::items() const {
    std::vector<GridItem> out;
    for (const Placement& p : placements_) out.push_back({p.cell, p.child->minimumSize()});
    return out;
}

Size MultiCellCanvas::preferredSize() const {
    return layoutGrid(columns_, rows_, items(), Size(), defaultCell()).minimum;
}

void MultiCellCanvas::layout() {
    last_ = layoutGrid(columns_, rows_, items(), rect().size(), defaultCell());
    // Placing a child may delete none, but copy: a child's layout must not
    // see the list change under it.
    const std::vector<Placement> placements = placements_;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        placements[i].child->moveSizeTo(last_.cells[i]);
        placements[i].child->layout();
    }
}

void MultiCellCanvas::childRemoved(Window& child) {
    removeFromCell(child);
    Canvas::childRemoved(child);
}

// ---- set canvas ---------------------------------------------------------------

SetCanvas::SetCanvas(unsigned long id, Window* parent, Window* owner, const Rect& rect,
                     Style style)
    : Canvas(id, parent, owner, rect, style) {}

std::vector<Size> SetCanvas::childSizes() const {
    std::vector<Size> sizes;
    for (const Window* child : children()) sizes.push_back(child->minimumSize());
    return sizes;
}

Size SetCanvas::preferredSize() const {
    return rowMinimum(childSizes(), defaultMargin(), defaultGap());
}

void SetCanvas::layout() {
    const std::vector<Rect> rects = layoutRow(childSizes(), defaultMargin(), defaultGap());
    const std::vector<Window*> children = this->children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        children[i]->moveSizeTo(rects[i]);
        children[i]->layout();
    }
}

// ---- view port ----------------------------------------------------------------

ViewPort::ViewPort(unsigned long id, Window* parent, Window* owner, const Rect& rect, Style style)
    : Window(peer::Kind::viewPort, id, parent, owner, rect, style) {}

Window* ViewPort::viewWindow() const { return children().empty() ? nullptr : children().front(); }

ViewPort& ViewPort::scrollTo(const Point& position) {
    position_ = position;
    layout();
    return *this;
}

void ViewPort::layout() {
    Window* child = viewWindow();
    if (!child || !isValid()) return;
    // The scroll bars are chosen on the whole of the view port, not on what
    // the bars shown now leave of it: a bar is needed where the child is
    // larger than the view, and a bar's room taken from the view may make
    // the other one needed. A view port that has grown loses its bars.
    const Size area = rect().size();
    const Size bar = peer::scrollBarSize();
    const Size need = child->minimumSize();
    bool horizontal = need.width > area.width;
    bool vertical = need.height > area.height;
    if (horizontal && !vertical) vertical = need.height > area.height - bar.height;
    if (vertical && !horizontal) horizontal = need.width > area.width - bar.width;
    const Size view{std::max(0, area.width - (vertical ? bar.width : 0)),
                    std::max(0, area.height - (horizontal ? bar.height : 0))};
    const Size content{std::max(view.width, need.width), std::max(view.height, need.height)};
    position_.x = std::max(0, std::min(position_.x, content.width - view.width));
    position_.y = std::max(0, std::min(position_.y, content.height - view.height));
    child->moveSizeTo(Rect::at(-position_.x, -position_.y, content.width, content.height));
    child->layout();
    peer::setScrollBars(handle(), content, view, position_);
}

}  // namespace gui
