// The preferences window resized by the user: when the view port that is the
// frame's client gets smaller than the main canvas needs, it scrolls the
// canvas; enlarged again, it shows the whole canvas from its corner. The
// scroll bars always show the canvas and the view as they are.
#include <algorithm>

#include "gui/Canvas.h"
#include "wizard_support.h"

namespace {

using namespace test;
using sim::input::Scroll;

class WindowSize : public WizardFixture {
protected:
    gui::ViewPort& viewPort() { return *P::viewPort(*window); }
    gui::Window& canvas() { return *P::mainCanvas(*window); }
    const sim::GuiWindow& bars() { return *m().gui.find(viewPort().handle()); }
    gui::Size view() { return gui::peer::clientSize(viewPort().handle()); }
    gui::Point position() { return viewPort().scrollPosition(); }

    // The canvas: at least the view and at least its minimum size.
    gui::Size content() {
        const gui::Size v = view(), need = canvas().minimumSize();
        return {std::max(v.width, need.width), std::max(v.height, need.height)};
    }
    // The scroll position farthest from the corner.
    gui::Point farEnd() {
        const gui::Size c = content(), v = view();
        return {c.width - v.width, c.height - v.height};
    }

    // After every step: the view port fills the frame above the information
    // area; the canvas stands at minus the scroll position, which lies within
    // the canvas; the scroll bars that the peer got carry the canvas's and
    // the view's sizes and that position, and are shown where the canvas is
    // larger than the view.
    void expectInOrder() {
        const gui::Size client = gui::peer::clientSize(frame);
        const gui::Rect info = P::infoArea(*window)->rect();
        EXPECT_EQ(viewPort().rect(), gui::Rect::at(0, 0, client.width, info.top));
        EXPECT_EQ(info.bottom, client.height);

        const gui::Size c = content(), v = view();
        const gui::Point p = position(), end = farEnd();
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.x, end.x);
        EXPECT_LE(p.y, end.y);
        const gui::Rect placed = gui::Rect::at(-p.x, -p.y, c.width, c.height);
        EXPECT_EQ(canvas().rect(), placed);
        EXPECT_EQ(m().gui.find(canvas().handle())->rect, placed);

        EXPECT_EQ(bars().scrollContent, c);
        EXPECT_EQ(bars().scrollView, v);
        EXPECT_EQ(bars().scrollPosition.x, p.x);
        EXPECT_EQ(bars().scrollPosition.y, p.y);
        EXPECT_EQ(bars().horizontalBar, c.width > v.width);
        EXPECT_EQ(bars().verticalBar, c.height > v.height);
    }
    void expectAt(const gui::Point& p) {
        EXPECT_EQ(position().x, p.x);
        EXPECT_EQ(position().y, p.y);
    }

    // To the far end of each bar that is shown (a bar not shown takes no
    // input), then beyond it: the user's requests stop at the end, and so
    // does the program's.
    void scrollToTheEndAndBeyond() {
        const os::HWND port = viewPort().handle();
        for (const bool vertical : {false, true}) {
            sim::input::scroll(port, vertical, Scroll::bottom);
            expectInOrder();
        }
        const gui::Point end = farEnd();
        expectAt(end);
        for (const bool vertical : {false, true}) {
            sim::input::scroll(port, vertical, Scroll::lineDown);
            sim::input::scroll(port, vertical, Scroll::pageDown);
            sim::input::scroll(port, vertical, Scroll::thumbTrack, 5000);
        }
        expectInOrder();
        expectAt(end);
        viewPort().scrollTo({5000, 5000});
        expectInOrder();
        expectAt(end);
    }
};

TEST_F(WindowSize, ShrunkScrolledAndEnlargedAgain) {
    // The frame whose view port has just the main canvas's minimum size:
    // that size, the frame's borders and title bar, and the information area.
    open();
    const gui::Size need = canvas().minimumSize();
    const int exactWidth = need.width + sim::Gui::frameBorderWidth;
    const int exactHeight = need.height + sim::Gui::frameBorderHeight +
                            P::infoArea(*window)->minimumSize().height;
    ASSERT_LT(exactWidth, 620);
    ASSERT_LT(exactHeight, 435);

    const struct {
        const char* what;
        gui::Size shrunk;  // the frame's size that the user drags to
        bool horizontal, vertical;  // the scroll bars then shown
        bool scrolls;  // false: the view has no height, nothing to scroll
        gui::Size enlarged;
    } rows[] = {
        {"one pixel narrower than the canvas", {exactWidth - 1, 435}, true, false, true,
         {620, 435}},
        {"one pixel lower than the canvas", {620, exactHeight - 1}, false, true, true, {620, 435}},
        {"narrower, the horizontal bar's height asking for the vertical bar",
         {500, exactHeight + sim::Gui::scrollBarWidth - 1}, true, true, true, {1024, 768}},
        {"lower, the vertical bar's width asking for the horizontal bar",
         {exactWidth + sim::Gui::scrollBarWidth - 1, 300}, true, true, true, {620, 435}},
        {"narrower and lower, then just the canvas's size", {300, 200}, true, true, true,
         {exactWidth, exactHeight}},
        {"dragged to nothing: the smallest frame", {0, 0}, true, true, false, {620, 435}},
    };
    for (const auto& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        open();
        expectInOrder();
        EXPECT_FALSE(bars().horizontalBar || bars().verticalBar);

        sim::input::resize(frame, row.shrunk.width, row.shrunk.height);
        expectInOrder();
        expectAt({0, 0});
        EXPECT_EQ(bars().horizontalBar, row.horizontal);
        EXPECT_EQ(bars().verticalBar, row.vertical);

        EXPECT_EQ(view().height > 0, row.scrolls);
        if (row.scrolls) {
            scrollToTheEndAndBeyond();
            EXPECT_EQ(position().x > 0, row.horizontal);
            EXPECT_EQ(position().y > 0, row.vertical);
        }

        // Enlarged to the canvas's minimum size or more: the whole canvas in
        // view from its corner, filling it, and no scroll bar left over.
        sim::input::resize(frame, row.enlarged.width, row.enlarged.height);
        expectInOrder();
        expectAt({0, 0});
        EXPECT_EQ(canvas().rect(), gui::Rect::at(0, 0, view().width, view().height));
        EXPECT_FALSE(bars().horizontalBar || bars().verticalBar);
        EXPECT_LE(P::buttonCanvas(*window)->rect().bottom, view().height);
    }
}

// The bar's arrows, its page steps and its thumb move the canvas by their
// steps, never before the start.
TEST_F(WindowSize, ScrollSteps) {
    open();
    sim::input::resize(frame, 300, 200);
    const os::HWND port = viewPort().handle();
    const gui::Point end = farEnd();
    const int page = view().height;
    ASSERT_GT(end.y, page + gui::peer::scrollLine);
    const struct {
        Scroll request;
        int thumb;
        int y;  // the position after the request
    } steps[] = {
        {Scroll::lineDown, 0, gui::peer::scrollLine},
        {Scroll::pageDown, 0, gui::peer::scrollLine + page},
        {Scroll::lineUp, 0, page},
        {Scroll::pageUp, 0, 0},
        {Scroll::lineUp, 0, 0},  // not before the start
        {Scroll::thumbPosition, 7, 7},
        {Scroll::bottom, 0, end.y},
        {Scroll::top, 0, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(static_cast<int>(step.request));
        sim::input::scroll(port, true, step.request, step.thumb);
        expectInOrder();
        expectAt({0, step.y});
    }
    // Nor does the program's request.
    viewPort().scrollTo({-5000, -5000});
    expectInOrder();
    expectAt({0, 0});
}

}  // namespace
