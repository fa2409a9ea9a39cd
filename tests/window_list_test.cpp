// The snapshot of the top-level windows and closing windows by title.
#include <map>
#include <set>

#include "support.h"

namespace {

using test::Fixture;

class WindowList : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        AUtilities::openTraceFile();
    }
    std::size_t closeRequests(os::HWND window) {
        std::size_t n = 0;
        for (const sim::WindowTable::PostedMessage& p : m().windows.find(window)->posted)
            if (p.message == os::WM_CLOSE && p.wParam == 0 && p.lParam == 0) ++n;
        return n;
    }
    std::vector<std::string> listedTitles() {
        std::vector<std::string> titles;
        for (const AWindowEntry& e : *AUtilities::windowsList) titles.push_back(e.title());
        return titles;
    }
};

TEST_F(WindowList, EmptyTitleDoesNothingAtAll) {
    m().windows.addTopLevel("Anything");
    AUtilities::closeWindow("");
    EXPECT_EQ(traceOf("AUtilities::closeWindow()"),
              (std::vector<std::string>{"Entry.", "Title to close = \"\""}));
    EXPECT_EQ(AUtilities::windowsList, nullptr);
    EXPECT_EQ(m().windows.all.size(), 1u);  // no hidden window was made
    EXPECT_EQ(m().windows.getWindowCalls, 0u);
}

TEST_F(WindowList, WhichWindowsAreClosed) {
    struct Row {
        const char* what;
        std::string given;
        std::string title;
        bool closed;
    };
    const std::string prefs = "Autorun Preferences for Zantic Collections";
    const Row rows[] = {
        {"a part of the title", "Autorun Preferences", prefs, true},
        {"a part in lower case", "autorun preferences", prefs, true},
        {"equal in another case", "AUTORUN PREFERENCES FOR ZANTIC COLLECTIONS", prefs, true},
        {"inside the title", "Kit - 2002", "Browser: Dovrel kit - 2002 - index", true},
        {"longer than the title", prefs + "!", prefs, false},
        {"not contained", "Zantic Preferences", prefs, false},
        {"only a to z fold", "\xe9t\xe9", "\xc9T\xc9", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        os::HWND w = m().windows.addTopLevel(row.title);
        AUtilities::closeWindow(row.given);
        EXPECT_EQ(closeRequests(w), row.closed ? 1u : 0u);
        m().windows.destroy(w);
    }
}

TEST_F(WindowList, EveryMatchingWindowGetsItsOwnRequest) {
    os::HWND a = m().windows.addTopLevel("Dovrel Kit - May 2002 (1)");
    m().windows.addTopLevel("Unrelated");
    os::HWND refusing = m().windows.addTopLevel("DOVREL KIT - MAY 2002 (2)");
    m().windows.find(refusing)->refusesPosts = true;
    os::HWND c = m().windows.addTopLevel("dovrel kit - may 2002 (3)");
    AUtilities::closeWindow("Dovrel Kit - May 2002");
    EXPECT_EQ(closeRequests(a), 1u);
    EXPECT_EQ(closeRequests(c), 1u);
    EXPECT_EQ(traceOf("AUtilities::closeWindow()"),
              (std::vector<std::string>{"Entry.", "Title to close = \"Dovrel Kit - May 2002\"",
                                        "Closing \"dovrel kit - may 2002 (3)\"",
                                        "Closing \"DOVREL KIT - MAY 2002 (2)\"",
                                        "Closing \"Dovrel Kit - May 2002 (1)\"", "Exit."}));
}

TEST_F(WindowList, SnapshotHoldsEveryTitledWindowCutTo1023Characters) {
    m().windows.addTopLevel("Same");
    m().windows.addTopLevel("");
    m().windows.addTopLevel("Same");
    os::HWND longOne = m().windows.addTopLevel(std::string(1023, 'a') + "TAIL");
    AUtilities::getWindowsList();
    EXPECT_EQ(listedTitles(), (std::vector<std::string>{std::string(1023, 'a'), "Same", "Same"}));
    EXPECT_EQ(AUtilities::windowsList->at(0).handle(), longOne);
    EXPECT_EQ(traceOf("AUtilities::getWindowsList()"),
              (std::vector<std::string>{"Entry.", "Number of elements = 3", "Exit."}));
    // The hidden window was part of the walk and is gone again.
    ASSERT_EQ(m().windows.all.size(), 5u);
    EXPECT_EQ(m().windows.all[4].title, "");
    EXPECT_FALSE(m().windows.all[4].alive);

    AUtilities::closeWindow("TAIL");  // beyond the cut: no match
    EXPECT_EQ(closeRequests(longOne), 0u);

    // A rebuild replaces the old entries, and counts the new ones alone.
    m().windows.destroy(longOne);
    AUtilities::getWindowsList();
    EXPECT_EQ(listedTitles(), (std::vector<std::string>{"Same", "Same"}));
    const std::vector<std::string> trace = traceOf("AUtilities::getWindowsList()");
    EXPECT_EQ(trace.at(trace.size() - 2), "Number of elements = 2");
}

TEST_F(WindowList, HiddenWindowFailingGivesTheBoxAndAnEmptySnapshot) {
    m().windows.addTopLevel("Autorun Preferences for Zantic Collections");
    AUtilities::getWindowsList();
    ASSERT_EQ(AUtilities::windowsList->size(), 1u);
    m().failObjectWindow = true;
    AUtilities::closeWindow("Autorun Preferences");
    ASSERT_NE(AUtilities::windowsList, nullptr);
    EXPECT_TRUE(AUtilities::windowsList->empty());
    EXPECT_TRUE(m().windows.all[0].posted.empty());
    ASSERT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(m().boxes[0].title, "Autorun Message");
    EXPECT_EQ(m().boxes[0].text.substr(0, 15), "Pelkos Message\n");
    EXPECT_NE(m().boxes[0].text.find("Object window could not be created."), std::string::npos);
    const std::vector<std::string> trace = traceOf("AUtilities::getWindowsList()");
    EXPECT_EQ(std::vector<std::string>(trace.end() - 3, trace.end()),
              (std::vector<std::string>{"Entry.", "Number of elements = 0", "Exit."}));
}

TEST_F(WindowList, WalkEndsWhenTheOrderChangesUnderIt) {
    os::HWND second = m().windows.addTopLevel("second");
    os::HWND first = m().windows.addTopLevel("first");
    // Each answer moves the other window below it: the Z order forms a loop.
    m().windows.afterGetWindow = [&](os::HWND answered) {
        if (answered == first) m().windows.placeBelow(second, first);
        if (answered == second) m().windows.placeBelow(first, second);
    };
    AUtilities::getWindowsList();
    EXPECT_EQ(AUtilities::windowsList->size(), 2u);
    EXPECT_LT(m().windows.getWindowCalls, 10u);
}

// A window that goes away as the walk reaches it (one that was just asked to
// close, say), or one that comes to the top meanwhile (the window activated
// in its place), is not missed, and no window is listed twice.
TEST_F(WindowList, WindowsGoneOrRaisedDuringTheWalkAreNotMissed) {
    const struct {
        const char* what;
        std::vector<std::string> windows;  // from the top of the Z order down
        std::set<std::string> gone;        // go away when the walk reaches them
        // When the walk reaches the first window, the second comes to the top.
        std::map<std::string, std::string> raises;
        std::vector<std::string> listed;
    } rows[] = {
        {"one in the middle goes", {"top", "middle", "below"}, {"middle"}, {}, {"top", "below"}},
        {"the top one goes", {"top", "middle", "below"}, {"top"}, {}, {"middle", "below"}},
        {"the bottom one goes", {"top", "middle", "below"}, {"below"}, {}, {"top", "middle"}},
        {"two in a row go", {"top", "a", "b", "below"}, {"a", "b"}, {}, {"top", "below"}},
        {"two apart go", {"a", "top", "b", "below"}, {"a", "b"}, {}, {"top", "below"}},
        {"all of them go", {"a", "b", "c"}, {"a", "b", "c"}, {}, {}},
        {"the bottom one comes to the top", {"top", "a", "below"}, {}, {{"a", "below"}},
         {"top", "a", "below"}},
        {"one goes, the one below it comes to the top",
         {"top", "closing", "next", "bottom"}, {"closing"}, {{"closing", "bottom"}},
         {"top", "bottom", "next"}},
    };
    for (const auto& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        std::map<os::HWND, std::string> titles;
        std::map<std::string, os::HWND> handles;
        for (auto it = row.windows.rbegin(); it != row.windows.rend(); ++it) {
            handles[*it] = m().windows.addTopLevel(*it);
            titles[handles[*it]] = *it;
        }
        m().windows.afterGetWindow = [&](os::HWND answered) {
            const auto it = titles.find(answered);
            if (it == titles.end()) return;
            const auto raised = row.raises.find(it->second);
            if (raised != row.raises.end()) m().windows.placeBelow(handles[raised->second], nullptr);
            if (row.gone.count(it->second)) m().windows.destroy(answered);
        };
        AUtilities::getWindowsList();
        m().windows.afterGetWindow = nullptr;
        EXPECT_EQ(listedTitles(), row.listed);
        EXPECT_LT(m().windows.getWindowCalls, 40u);
    }
}

TEST(WindowEntry, OrdersBeforeEveryEntryItselfIncluded) {
    const AWindowEntry a(reinterpret_cast<os::HWND>(0x10), "A");
    AWindowEntry b;
    b = a;
    EXPECT_TRUE(a < a);
    EXPECT_TRUE(a < b && b < a);
    EXPECT_EQ(b.handle(), a.handle());
    EXPECT_EQ(AWindowEntry(b).title(), "A");
}

}  // namespace
