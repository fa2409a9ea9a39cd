// The GUI class library's core on the simulated machine: radio groups, list
// selection, notifications, hover help, connections, the close request, the
// auto-delete and the message loop.
#include <memory>

#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/Connection.h"
#include "gui/Controls.h"
#include "gui/FlyOverHelp.h"
#include "gui/FrameWindow.h"
#include "gui/MessageDialog.h"
#include "sim/input.h"
#include "support.h"

namespace {

// Records the events it receives.
struct Recorder : gui::Observer {
    struct Seen {
        const gui::NotificationId* id;
        gui::Notifier* notifier;
        std::uintptr_t observerValue;
        int listSelection;
    };
    std::vector<Seen> seen;
    std::function<void(const gui::NotificationEvent&)> onEvent;
    gui::Observer& dispatchNotificationEvent(const gui::NotificationEvent& e) override {
        auto* list = dynamic_cast<gui::ListBox*>(&e.notifier());
        seen.push_back({&e.notificationId(), &e.notifier(), e.observerValue(),
                        list ? list->selection() : -2});
        if (onEvent) onEvent(e);
        return *this;
    }
};

// A frame whose deletions are counted.
struct CountedFrame : gui::FrameWindow {
    explicit CountedFrame(int* deleted)
        : gui::FrameWindow(100, nullptr, nullptr, gui::Rect::at(0, 0, 300, 200)),
          deleted_(deleted) {}
    ~CountedFrame() override { ++*deleted_; }
    int* deleted_;
};

class Library : public test::Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        frame = std::make_unique<gui::FrameWindow>(100, nullptr, nullptr,
                                                   gui::Rect::at(0, 0, 300, 200));
        canvas = std::make_unique<gui::MultiCellCanvas>(101, frame.get(), frame.get());
        frame->setClient(canvas.get());
    }
    void TearDown() override {
        parts.clear();
        canvas.reset();
        frame.reset();
        Fixture::TearDown();
    }
    template <typename T>
    T& add(unsigned long id, gui::Window* parent = nullptr) {
        gui::Window* p = parent ? parent : canvas.get();
        parts.push_back(std::make_unique<T>(id, p, p));
        return static_cast<T&>(*parts.back());
    }
    std::unique_ptr<gui::FrameWindow> frame;
    std::unique_ptr<gui::MultiCellCanvas> canvas;
    std::vector<std::unique_ptr<gui::Window>> parts;
};

TEST_F(Library, RadioButtonsSharingAParentFormOneGroup) {
    auto& a = add<gui::RadioButton>(1);
    auto& b = add<gui::RadioButton>(2);
    auto& c = add<gui::RadioButton>(3);
    auto& other = add<gui::Canvas>(4);
    auto& d = add<gui::RadioButton>(5, &other);
    d.select();
    a.select();
    b.disable();
    b.select();  // a disabled one can be selected
    EXPECT_FALSE(a.isSelected());
    EXPECT_TRUE(b.isSelected());
    EXPECT_FALSE(c.isSelected());
    EXPECT_TRUE(d.isSelected());  // another parent, another group
    EXPECT_EQ(gui::RadioButton::selectedIn(*canvas), &b);
    EXPECT_TRUE(m().gui.find(b.handle())->checked);
    EXPECT_FALSE(m().gui.find(a.handle())->checked);

    // The user's click: only an enabled button, which then notifies.
    frame->show();
    Recorder r;
    r.observe(a.enableNotification()).observe(b.enableNotification());
    sim::input::click(a.handle());
    EXPECT_TRUE(a.isSelected());
    EXPECT_FALSE(b.isSelected());
    b.select();
    sim::input::click(c.handle());  // notification off: selected, nothing sent
    EXPECT_TRUE(c.isSelected());
    c.select();
    b.disable();
    a.select();
    sim::input::click(b.handle());
    EXPECT_FALSE(b.isSelected());
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].id, &gui::PushButton::buttonClickId);
    EXPECT_EQ(r.seen[0].notifier, &a);
}

TEST_F(Library, ListSelectionIsNotifiedAtOnceAlsoForTheProgramsOwn) {
    auto& list = add<gui::ListBox>(6);
    for (const char* item : {"zero", "one", "two"}) list.addAsLast(item);
    EXPECT_EQ(list.selection(), -1);
    Recorder r;
    r.observe(list.enableNotification(), 77);
    list.select(1);
    ASSERT_EQ(r.seen.size(), 1u);  // before select returned
    EXPECT_EQ(r.seen[0].id, &gui::ListBox::selectId);
    EXPECT_EQ(r.seen[0].listSelection, 1);
    EXPECT_EQ(r.seen[0].observerValue, 77u);
    EXPECT_EQ(m().gui.find(list.handle())->selected, 1);
    list.select(1);  // unchanged, still notified
    EXPECT_EQ(r.seen.size(), 2u);
    frame->show();
    sim::input::selectItem(list.handle(), 2);
    ASSERT_EQ(r.seen.size(), 3u);
    EXPECT_EQ(r.seen[2].listSelection, 2);
    EXPECT_EQ(list.selection(), 2);
    list.select(-1);
    EXPECT_EQ(list.selection(), -1);
    EXPECT_THROW(list.select(3), gui::Exception);
    EXPECT_EQ(list.selection(), -1);
}

TEST_F(Library, NotificationsByIdentityOnlyWhenSwitchedOn) {
    auto& button = add<gui::PushButton>(7);
    frame->show();
    Recorder first, second;
    first.observe(button);
    second.observe(button);
    sim::input::click(button.handle());
    EXPECT_TRUE(first.seen.empty());  // notification never switched on
    button.enableNotification();
    first.onEvent = [&](const gui::NotificationEvent&) { second.stopObserving(button); };
    sim::input::click(button.handle());
    EXPECT_EQ(first.seen.size(), 1u);
    EXPECT_TRUE(second.seen.empty());  // removed during the delivery
    static const gui::NotificationId lookalike("gui::PushButton::buttonClickId");
    const gui::NotificationEvent e(gui::PushButton::buttonClickId, button);
    EXPECT_TRUE(e.is(gui::PushButton::buttonClickId));
    EXPECT_FALSE(e.is(lookalike));
    // Disabled and hidden buttons take no click.
    button.disable();
    sim::input::click(button.handle());
    button.enable();
    canvas->hide();
    sim::input::click(button.handle());
    EXPECT_EQ(first.seen.size(), 1u);
}

TEST_F(Library, SystemCommandsReachTheFrameObserversAndCloseCloses) {
    int deleted = 0;
    auto* f = new CountedFrame(&deleted);
    f->setAutoDeleteObject();
    f->show();
    Recorder r;
    r.observe(f->enableNotification());
    std::vector<unsigned long> commands;
    r.onEvent = [&](const gui::NotificationEvent& e) {
        commands.push_back(e.windowMessage().commandId());
    };
    const os::HWND h = f->handle();
    sim::input::systemCommand(h, 0xF020);  // minimise
    sim::input::systemCommand(h, 0xF012);  // move by the title bar
    EXPECT_EQ(deleted, 0);
    sim::input::systemCommand(h, 0xF063);  // close, with low bits
    EXPECT_EQ(commands, (std::vector<unsigned long>{0xF020, 0xF010, 0xF060}));
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(m().windows.find(h));
}

// A close request handled while a handler waits for a message box is
// carried out once the handler has returned.
TEST_F(Library, CloseWaitsForTheHandlerThatShowsABox) {
    int deleted = 0;
    auto* f = new CountedFrame(&deleted);
    auto* button = new gui::PushButton(7, f, f);
    f->setClient(button);
    f->setAutoDeleteObject();
    f->show();
    Recorder r;
    r.observe(button->enableNotification());
    bool aliveAfterBox = false;
    r.onEvent = [&](const gui::NotificationEvent&) {
        m().boxScript.push_back({1, [&] {
                                     sim::input::systemCommand(f->handle(), 0xF060);
                                     f->close();
                                     EXPECT_EQ(deleted, 0);
                                 }});
        gui::MessageDialog(gui::desktop().handle()).show("wait", 0);
        aliveAfterBox = deleted == 0 && f->isValid() && button->isValid();
        f->close();
    };
    const os::HWND h = f->handle();
    sim::input::click(button->handle());
    EXPECT_TRUE(aliveAfterBox);
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(m().windows.find(h));
    delete button;  // a part outlives its frame's native window and is deleted once
}

TEST_F(Library, MessageLoopRunsUntilTheLastFrameIsGone) {
    canvas.reset();
    frame.reset();
    gui::Application::current().run();  // nothing open: returns at once
    int deleted = 0;
    auto* f = new CountedFrame(&deleted);
    f->setAutoDeleteObject();
    f->show();
    bool ran = false;
    sim::input::later([&] {
        ran = true;
        f->close();  // a posted WM_CLOSE
    });
    gui::Application::current().run();
    EXPECT_TRUE(ran);
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(gui::FrameWindow::anyOpen());
}

TEST_F(Library, FocusIconAndClient) {
    frame->setFocus();
    EXPECT_EQ(m().gui.focus, frame->handle());
    m().gui.foregroundIsOwnThread = false;
    frame->setFocus();
    EXPECT_EQ(m().gui.foreground, frame->handle());
    const gui::Icon icon = gui::Application::current().userResourceLibrary().loadIcon(1);
    frame->setIcon(icon);
    EXPECT_EQ(m().gui.find(frame->handle())->icon, icon.handle);
    EXPECT_THROW(gui::Application::current().userResourceLibrary().loadIcon(2), gui::Exception);
    EXPECT_EQ(canvas->id(), gui::FrameWindow::clientId);
    EXPECT_EQ(m().gui.find(canvas->handle())->id, 0x8008u);
}

// The user may have dragged a frame away: placing it where the library last
// put it still moves it there.
TEST_F(Library, AFrameIsPlacedEvenAtItsLastPlace) {
    const gui::Rect place = frame->rect();
    m().gui.find(frame->handle())->rect = gui::Rect::at(40, 30, 300, 200);  // the drag
    frame->moveSizeTo(place);
    EXPECT_EQ(m().gui.find(frame->handle())->rect, place);
}

TEST_F(Library, HoverHelpAfterTheRestOfTheLatestWindow) {
    auto& area = *new gui::InfoArea(*frame, 9);
    auto& a = add<gui::PushButton>(1);
    auto& b = add<gui::StaticText>(2);
    auto& plain = add<gui::StaticText>(3);
    gui::FlyOverHelp help(*frame);
    gui::FlyOverHelpHandler& handler = help.defaultHandler();
    handler.setHelpText(a.handle(), "", "first");
    handler.setHelpText(a.handle(), "fly", "help of a");  // replaces
    handler.setHelpText(b.handle(), "", "help of b");
    EXPECT_EQ(handler.registrationCount(), 2u);
    help.setLongStringArea(&area);

    sim::input::movePointer(a.handle());
    sim::input::elapse(99);
    EXPECT_EQ(area.text(), "");
    sim::input::elapse(1);
    EXPECT_EQ(area.text(), "help of a");
    EXPECT_EQ(handler.shownFlyOverText(), "fly");
    sim::input::movePointer(b.handle());
    sim::input::movePointer(b.handle());  // moving over it does not restart
    sim::input::elapse(100);
    EXPECT_EQ(area.text(), "help of b");
    sim::input::restPointer(plain.handle());
    EXPECT_EQ(area.text(), "");
    EXPECT_TRUE(m().gui.timers.empty());
    delete &area;
    sim::input::restPointer(a.handle());  // the area is gone: nothing shown, no fault
}

// A connection whose transfers are counted; the third transfer throws.
struct CountingConnection : gui::EventToAttributeConnection {
    int toTarget = 0, toSource = 0, direction = 0;
    int transferDirection(const gui::NotificationEvent&) override { return direction; }
    void setTargetFromSource() override {
        if (++toTarget == 3) {
            gui::Exception e("transfer failed");
            GUI_THROW(e);
        }
    }
    void setSourceFromTarget() override { ++toSource; }
};

TEST_F(Library, ConnectionStatesAndItsList) {
    using State = gui::EventToAttributeConnection::State;
    gui::Notifier source;
    source.enableNotification();
    auto* c = new CountingConnection;
    c->observe(source);
    EXPECT_EQ(c->state(), State::notActivated);
    const gui::NotificationId id("test");
    source.notifyObservers(gui::NotificationEvent(id, source));
    EXPECT_EQ(c->toTarget, 0);  // not yet activated: ignored
    {
        gui::ConnectionList list;
        list.add(c).activate();
        EXPECT_EQ(c->state(), State::idle);
        EXPECT_EQ(c->toTarget, 1);
        list.activate();
        EXPECT_EQ(c->toTarget, 1);  // only the first activation transfers
        source.notifyObservers(gui::NotificationEvent(id, source));
        EXPECT_EQ(c->toTarget, 1);  // direction 0
        c->direction = 2;
        source.notifyObservers(gui::NotificationEvent(id, source));
        EXPECT_EQ(c->toSource, 1);
        c->direction = 1;
        source.notifyObservers(gui::NotificationEvent(id, source));
        source.notifyObservers(gui::NotificationEvent(id, source));  // throws inside
        EXPECT_EQ(c->toTarget, 3);
        EXPECT_EQ(c->lastError(), "transfer failed");
        EXPECT_EQ(c->state(), State::idle);
        c->deactivate();
        source.notifyObservers(gui::NotificationEvent(id, source));
        EXPECT_EQ(c->toTarget, 3);
        EXPECT_TRUE(source.hasObserver(*c));
    }  // the list deletes the connection, which stops observing
    gui::Observer probe;
    source.addObserver(probe);
    source.notifyObservers(gui::NotificationEvent(id, source));
}

TEST_F(Library, ViewPortScrollsAChildLargerThanTheView) {
    canvas.reset();  // start over with a view port as the client
    frame.reset();
    frame = std::make_unique<gui::FrameWindow>(100, nullptr, nullptr, gui::Rect::at(0, 0, 300, 200));
    auto* view = new gui::ViewPort(1, frame.get(), frame.get());
    parts.emplace_back(view);
    auto& inner = add<gui::Canvas>(2, view);
    inner.setMinimumSize({500, 50});
    frame->setClient(view);
    frame->show();  // a frame is laid out when shown
    const gui::Size client = gui::peer::clientSize(frame->handle());
    // The horizontal scroll bar takes its height from the view.
    const int height = client.height - sim::Gui::scrollBarWidth;
    EXPECT_EQ(gui::peer::clientSize(view->handle()), (gui::Size{client.width, height}));
    // Scrolling moves the child without resizing it: the native window follows.
    const auto native = [&] { return m().gui.find(inner.handle())->rect; };
    EXPECT_EQ(inner.rect(), gui::Rect::at(0, 0, 500, height));
    view->scrollTo({120, 0});
    EXPECT_EQ(inner.rect(), gui::Rect::at(-120, 0, 500, height));
    EXPECT_EQ(native(), inner.rect());
    view->scrollTo({900, 0});  // no further than the end
    EXPECT_EQ(inner.rect().right, client.width);
    EXPECT_EQ(native(), inner.rect());
    EXPECT_EQ(m().gui.find(view->handle())->scrollContent, (gui::Size{500, height}));
    parts.clear();
}

}  // namespace
