// Test support for the preferences window in use: a window built and made
// ready on the simulated machine, the user's input to its parts by their
// ids, and what the window asked for (close requests, boxes, trace lines).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "gui/FrameWindow.h"
#include "gui/MessageDialog.h"
#include "preferences/AAutorunWindow.h"
#include "sim/input.h"
#include "support.h"
#include "window_probe.h"

namespace test {

// The parts' ids above the window id.
enum : unsigned long {
    backId = 3,
    nextId = 4,
    cancelId = 5,
    listId = 6,
    vlrRadioId = 9,
    discIndexRadioId = 10,
    kitIndexRadioId = 11,
    windowRadioId = 12,
    nothingRadioId = 13,
    vlrNowId = 14,
    discIndexNowId = 15,
    kitIndexNowId = 16,
    vlrLabelId = 20,
};

const char oldReaderWarning[] =
    "You have an old version of the Zantic Velmora Reader\n"
    "installed, which does not provide the newest functions,\n"
    "improvements, and fixes.  We recommend that you install\n"
    "the latest version, using the velmora tools\n"
    "installation program on this collection.";
const char changeMessage[] =
    "Your autorun preference changes will take effect \nthe next time you insert a disc.";

class WizardFixture : public Fixture {
protected:
    using P = AAutorunWindowProbe;

    void TearDown() override {
        delete window;
        window = nullptr;
        Fixture::TearDown();
    }

    // The shared state that the window reads when it is built.
    void saved(const std::string& tndrl, const std::string& mixed, const std::string& pdf) {
        AUtilities::setTndrlChoice(tndrl);
        AUtilities::setMixedChoice(mixed);
        AUtilities::setPDFChoice(pdf);
    }
    void reader(bool vlr, bool java, const std::string& version = "2.4") {
        AUtilities::setVLRInstalled(vlr);
        AUtilities::setJavaInstalled(java);
        AUtilities::setVLRVersion(version);
    }

    // Builds the window as main does.
    AAutorunWindow& build() {
        window = new AAutorunWindow(15000, &gui::desktop(), nullptr,
                                    AAutorunWindow::initialFrameRect(),
                                    gui::FrameWindow::defaultStyle(),
                                    AAutorunWindow::initialTitle().c_str());
        return *window;
    }

    // Builds the window, makes it ready and shows it.
    AAutorunWindow& open() {
        build();
        window->makeReady();
        window->show();
        frame = window->handle();
        return *window;
    }

    static os::HWND part(unsigned long n) { return sim::input::control(15000 + n); }
    static void click(unsigned long n) { sim::input::click(part(n)); }
    static void selectItem(int item) { sim::input::selectItem(part(listId), item); }

    int panel() { return P::currentPanel(*window); }
    std::string radio() {
        const struct {
            unsigned long id;
            const char* choice;
        } radios[] = {{vlrRadioId, "VLR"},         {discIndexRadioId, "DiscIndex"},
                      {kitIndexRadioId, "KitIndex"}, {windowRadioId, "Window"},
                      {nothingRadioId, "Nothing"}};
        std::string shown;
        for (const auto& r : radios)
            if (m().gui.find(part(r.id))->checked) shown += (shown.empty() ? "" : "+") + std::string(r.choice);
        return shown;
    }
    bool enabled(unsigned long n) { return m().gui.find(part(n))->enabled; }

    // Close requests posted to the frame and not yet handled.
    int closeRequests() {
        const sim::WindowTable::Window* w = m().windows.find(frame);
        if (!w) return 0;
        return static_cast<int>(std::count_if(w->posted.begin(), w->posted.end(),
                                              [](const sim::WindowTable::PostedMessage& p) {
                                                  return p.message == os::WM_CLOSE;
                                              }));
    }

    int boxesWithText(const std::string& text) {
        return static_cast<int>(std::count_if(m().boxes.begin(), m().boxes.end(),
                                              [&](const sim::MessageBoxRecord& b) {
                                                  return b.text == text;
                                              }));
    }

    // A sample disc on E: for runs of the whole program.
    void disc() {
        m().files.addFile("E:\\vmframe.htm", "<html>");
        m().files.addFile("E:\\autohtml\\autorun.js", "var kitTitle = \"Dovrel Kit\";\r\n");
    }
    std::string written(const char* name) {
        const sim::Registry::Value* v = m().registry.findValue(settingsKey, name);
        if (!v) return "<none>";
        // Written without the zero; Windows stores the one after the text.
        std::string data = v->data;
        if (!data.empty() && data.back() == '\0') data.pop_back();
        return data;
    }

    AAutorunWindow* window = nullptr;
    os::HWND frame = nullptr;
};

}  // namespace test
