// The preferences window's notifications: the frame's system commands, the
// clicks and the list told apart by their notifier, the hover help in the
// information area, the tear-down, and the window's messages that arrive
// while one of its handlers waits for a message box.
#include <functional>

#include "gui/Connection.h"
#include "gui/FlyOverHelp.h"
#include "preferences/AHelpAreaConnection.h"
#include "wizard_support.h"

namespace {

using namespace test;

class WindowEvents : public WizardFixture {
protected:
    void SetUp() override {
        WizardFixture::SetUp();
        reader(true, true, "2.3.0");
        saved("KitIndex", "Window", "DiscIndex");
    }
    std::string infoText() { return m().gui.find(part(18))->text; }
};

TEST_F(WindowEvents, SystemCommandsCloseOnlyForClose) {
    const struct {
        const char* what;
        os::WPARAM command;
        bool cancels;
    } rows[] = {
        {"close box, system menu Close, Alt+F4", 0xF060, true},
        {"close with the low bits set", 0xF063, true},
        {"minimise", 0xF020, false},
        {"maximise", 0xF030, false},
        {"move", 0xF010, false},
        {"move by the title bar", 0xF012, false},
        {"size", 0xF000, false},
    };
    for (const auto& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        open();
        AUtilities::openTraceFile();
        sim::input::systemCommand(frame, row.command);
        EXPECT_EQ(traceOf("AAutorunWindow::pushButtonCancel()"),
                  row.cancels ? (std::vector<std::string>{"Entry.", "Exit."})
                              : std::vector<std::string>{});
        // The library's own handling of the close command destroys the frame
        // at once; Cancel's request then finds no window.
        EXPECT_EQ(m().gui.find(frame) == nullptr, row.cancels);
        EXPECT_EQ(AUtilities::tndrlChoice(), "KitIndex");
    }
}

// Each button calls its one operation; the radio buttons call nothing.
TEST_F(WindowEvents, ClicksAreToldApartByTheirNotifier) {
    const struct {
        unsigned long id;
        const char* operation;  // null: none
    } rows[] = {
        {nextId, "AAutorunWindow::pushButtonNext()"},
        {backId, "AAutorunWindow::pushButtonBack()"},
        {cancelId, "AAutorunWindow::pushButtonCancel()"},
        {discIndexNowId, "AAutorunWindow::pushButtonDiscIndex()"},
        {kitIndexNowId, "AAutorunWindow::pushButtonKitIndex()"},
        {vlrNowId, "AAutorunWindow::pushButtonVLR()"},
        {vlrRadioId, nullptr},
        {discIndexRadioId, nullptr},
        {kitIndexRadioId, nullptr},
        {windowRadioId, nullptr},
        {nothingRadioId, nullptr},
    };
    for (const auto& row : rows) {
        nextRow(std::to_string(row.id));
        SCOPED_TRACE(row.id);
        m().files.addFile("E:\\vmframe.htm");
        m().files.addFile("C:\\WEB\\BROWSER.EXE");
        m().processes.associate(".htm", "C:\\WEB\\BROWSER.EXE");
        AUtilities::driveWithSlash = "E:\\";
        open();
        selectItem(1);  // Back enabled
        click(windowRadioId);
        selectItem(2);  // the reader's now-button enabled
        AUtilities::openTraceFile();
        click(row.id);
        const std::vector<std::string> all = lines();
        if (row.operation) {
            ASSERT_FALSE(all.empty());
            EXPECT_EQ(all.front(), std::string(row.operation) + " Entry.");
        } else {
            EXPECT_EQ(all, std::vector<std::string>{});
            EXPECT_EQ(panel(), 2);
            EXPECT_EQ(P::currentMixedSelection(*window), "Window");
        }
    }
}

TEST_F(WindowEvents, ListSelectionMovesToTheItemsPanel) {
    open();
    for (int item : {2, 1, 0, 2}) {
        selectItem(item);
        EXPECT_EQ(panel(), item);
    }
}

TEST_F(WindowEvents, ReadyNotificationReachesOutsideObserversAndChangesNothing) {
    struct Recorder : gui::Observer {
        std::vector<const gui::NotificationId*> seen;
        gui::Observer& dispatchNotificationEvent(const gui::NotificationEvent& e) override {
            seen.push_back(&e.notificationId());
            return *this;
        }
    } outside;
    build();
    outside.observe(*window);
    AUtilities::openTraceFile();
    EXPECT_EQ(&window->makeReady(), window);
    ASSERT_EQ(outside.seen.size(), 1u);
    EXPECT_EQ(outside.seen[0], &AAutorunWindow::readyId);
    EXPECT_STREQ(AAutorunWindow::readyId.text(), "AAutorunWindow::readyId");
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(panel(), 0);
}

// A copy of an id with the same text is another id.
TEST_F(WindowEvents, IdsAreComparedByIdentity) {
    open();
    const gui::NotificationId lookalike("gui::PushButton::buttonClickId");
    AUtilities::openTraceFile();
    gui::Notifier& next = *P::nextButton(*window);
    next.notifyObservers(gui::NotificationEvent(lookalike, next));
    EXPECT_TRUE(lines().empty());
    next.notifyObservers(gui::NotificationEvent(gui::PushButton::buttonClickId, next));
    EXPECT_EQ(panel(), 1);
}

TEST_F(WindowEvents, PointingAtAControlShowsItsLongHelp) {
    open();
    const struct {
        unsigned long id;
        const char* help;
    } rows[] = {
        {listId, "Make a selection for each type of disc."},
        {vlrLabelId, "Choose this option to open the Zantic Velmora Reader and display the "
                     "Tandrel bookshelves on the disc.  If the Velmora Reader is already running, "
                     "it will auto-refresh if that option is selected in Corvantis and if the "
                     "directories for the disc have been added to the user-defined directories "
                     "in Corvantis."},
        {cancelId, "Exit without saving any choices"},
        {nextId, "Advance to make a selection for PDF discs."},
        {backId, ""},  // none until panel 1 or 2 has been shown
        {17, ""},      // the heading has none
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        sim::input::restPointer(part(row.id));
        EXPECT_EQ(infoText(), row.help);
    }
    // The panels give Back and Next their texts; panel 0 keeps Back's last.
    const struct {
        int item;
        const char* back;
        const char* next;
    } panels[] = {
        {1, "Go back to make a selection for Tandrel discs.",
         "Advance to make a selection for mixed Tandrel and PDF discs."},
        {2, "Go back to make a selection for PDF discs.", "Save your choices and exit."},
        {0, "Go back to make a selection for PDF discs.",
         "Advance to make a selection for PDF discs."},
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.item);
        selectItem(p.item);
        sim::input::restPointer(part(backId));
        EXPECT_EQ(infoText(), p.back);
        sim::input::restPointer(part(nextId));
        EXPECT_EQ(infoText(), p.next);
        EXPECT_EQ(P::flyOverHelpHandler(*window)->flyOverText(P::nextButton(*window)->handle()), "");
    }
}

// The connection makes its one transfer at activation; before it the area
// shows nothing, and later notifications transfer nothing.
TEST_F(WindowEvents, HelpAreaConnectionTransfersOnce) {
    build();
    window->show();
    sim::input::restPointer(part(listId));
    EXPECT_EQ(infoText(), "");
    window->makeReady();
    gui::FlyOverHelpHandler& handler = *P::flyOverHelpHandler(*window);
    EXPECT_EQ(handler.longStringArea(), P::infoArea(*window));
    ASSERT_EQ(P::connections(*window)->count(), 1u);
    auto* connection = dynamic_cast<AHelpAreaConnection*>(P::connections(*window)->at(0));
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->state(), gui::EventToAttributeConnection::State::idle);

    handler.setLongStringArea(nullptr);
    gui::Notifier& area = *P::infoArea(*window);
    gui::Notifier& help = *P::flyOverHelp(*window);
    area.notifyObservers(gui::NotificationEvent(gui::ListBox::selectId, area));
    help.notifyObservers(gui::NotificationEvent(gui::ListBox::selectId, help));
    P::connections(*window)->activate();
    EXPECT_EQ(handler.longStringArea(), nullptr);
    EXPECT_EQ(connection->state(), gui::EventToAttributeConnection::State::idle);
}

// The destructor deletes every part once (the sanitizers see a second
// delete or a leak) and leaves the hover-help handler to its owner.
TEST_F(WindowEvents, DestructorDeletesEveryPartOnce) {
    open();
    click(vlrRadioId);
    selectItem(2);
    EXPECT_EQ(m().gui.windows.size(), 26u);  // the frame and its 25 windows
    delete window;
    window = nullptr;
    EXPECT_TRUE(m().gui.windows.empty());
    EXPECT_FALSE(m().windows.find(frame));
}

// The close box in a run of the whole program: Cancel once, the window
// destroyed and deleted once, the choices read at start written back.
TEST_F(WindowEvents, CloseBoxEndsTheRunLikeCancel) {
    AUtilities::resetState();
    disc();
    m().registry.setString(settingsKey, "TndrlChoice", "KitIndex");
    sim::input::later([] {
        click(nothingRadioId);
        click(nextId);
        sim::input::systemCommand(sim::input::frame("Autorun Preferences for Zantic Collections"),
                                  0xF060);
    });
    EXPECT_EQ(run({"E:\\autorun.exe", "/t"}), 0);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonCancel() Entry."), 1);
    EXPECT_EQ(written("TndrlChoice"), "KitIndex");
    EXPECT_EQ(lines().back(), "AAutorun::main() Exit.");
    EXPECT_TRUE(m().gui.windows.empty());
}

// While a handler waits for a message box the window's messages still run
// inside the box's loop. The buttons and the list are ignored then, and a
// close request (Cancel, the close box, another instance's WM_CLOSE) is
// carried out once the waiting handler has returned.
TEST_F(WindowEvents, InputWhileABoxIsOpen) {
    struct Row {
        const char* what;
        std::function<void()> before;    // brings the window to the box
        std::function<void()> whileOpen;
        int panelAfter;
        bool closes;
    };
    const auto reachWarning = [] { click(vlrRadioId); };
    const auto frameOf = [] { return sim::input::frame("Autorun Preferences for Zantic Collections"); };
    const Row rows[] = {
        {"Next, Back, list and now-buttons during the old-reader warning", reachWarning,
         [] {
             click(nextId);
             click(backId);
             selectItem(2);
             click(kitIndexNowId);
         },
         1, false},
        {"Cancel during the old-reader warning", reachWarning, [] { click(cancelId); }, 1, true},
        {"the close box during the old-reader warning", reachWarning,
         [frameOf] { sim::input::systemCommand(frameOf(), 0xF060); }, 1, true},
        {"another instance's WM_CLOSE during the old-reader warning", reachWarning,
         [frameOf] { os::PostMessageA(frameOf(), os::WM_CLOSE, 0, 0); }, 1, true},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile("C:\\WEB\\BROWSER.EXE");
        open();
        window->setAutoDeleteObject();  // as main lets it
        bool aliveAfterBox = false;
        row.before();
        m().boxScript.push_back({1, row.whileOpen});
        AUtilities::openTraceFile();
        // Next on panel 0 shows the warning; the handler then moves to panel 1.
        click(nextId);
        aliveAfterBox = traced("AAutorunWindow::pushButtonNext() Exit.") == 1;
        EXPECT_TRUE(aliveAfterBox);
        EXPECT_EQ(traced("AAutorunWindow::radioButtonSelection() Entry."), 1);  // one store step
        EXPECT_EQ(boxesWithText(oldReaderWarning), 1);
        EXPECT_TRUE(m().processes.starts.empty());
        EXPECT_EQ(traced("AAutorunWindow::pushButtonBack() Entry."), 0);
        if (row.closes) {
            EXPECT_EQ(m().gui.find(frame), nullptr);  // destroyed after the handler returned
            window = nullptr;                          // and deleted with its native window
        } else {
            EXPECT_EQ(panel(), row.panelAfter);
            EXPECT_EQ(m().gui.find(part(listId))->selected, row.panelAfter);
            window->setAutoDeleteObject(false);
        }
    }
}

// A second Finish while the change message is open does not store or ask
// again; a Cancel then closes once Finish has returned, with its choices.
TEST_F(WindowEvents, FinishTwiceWhileTheChangeMessageIsOpen) {
    AUtilities::resetState();
    disc();
    m().registry.setString(settingsKey, "TndrlChoice", "KitIndex");
    m().boxScript.push_back({1, [] {
                                 click(nextId);
                                 click(cancelId);
                             }});
    sim::input::later([] {
        click(nothingRadioId);
        click(nextId);
        click(nextId);
        click(nextId);  // Finish
    });
    EXPECT_EQ(run({"E:\\autorun.exe", "/t"}), 0);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonNext() Perform Finish activities."), 1);
    EXPECT_EQ(traced("AUtilities::setTndrlChoice() set to \"Nothing\""), 1);
    EXPECT_EQ(boxesWithText(changeMessage), 1);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonCancel() Entry."), 1);
    EXPECT_EQ(written("TndrlChoice"), "Nothing");
    EXPECT_TRUE(m().gui.windows.empty());
}

// A now-button's failure box: another instance's close request then waits
// for the handler, and the run ends normally.
TEST_F(WindowEvents, CloseRequestWhileANowButtonsBoxIsOpen) {
    AUtilities::resetState();
    disc();  // no program is associated with the index page: a failure box
    m().boxScript.push_back({1, [] {
                                 os::PostMessageA(sim::input::frame(
                                                      "Autorun Preferences for Zantic Collections"),
                                                  os::WM_CLOSE, 0, 0);
                                 click(kitIndexNowId);
                             }});
    sim::input::later([] { click(kitIndexNowId); });
    EXPECT_EQ(run({"E:\\autorun.exe", "/t"}), 0);
    EXPECT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonKitIndex() Entry."), 1);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonKitIndex() Exit."), 1);
    EXPECT_EQ(lines().back(), "AAutorun::main() Exit.");
    EXPECT_TRUE(m().gui.windows.empty());
}

// A list selection while a now-button's failure box is open puts the list
// back on the panel shown; Next does nothing then.
TEST_F(WindowEvents, ListGoesBackWhileANowButtonsBoxIsOpen) {
    m().files.addFile("E:\\vmframe.htm");  // no program is associated: a failure box
    AUtilities::driveWithSlash = "E:\\";
    open();
    int listWhileOpen = -2;
    m().boxScript.push_back({1, [&] {
                                 selectItem(2);
                                 listWhileOpen = m().gui.find(part(listId))->selected;
                                 click(nextId);
                             }});
    AUtilities::openTraceFile();
    click(kitIndexNowId);
    EXPECT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(listWhileOpen, 0);
    EXPECT_EQ(panel(), 0);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonNext() Entry."), 0);
    EXPECT_EQ(traced("AAutorunWindow::listBoxSelection() Entry."), 0);
    EXPECT_EQ(traceOf("AAutorunWindow::pushButtonKitIndex()").back(), "Exit.");
}

}  // namespace
