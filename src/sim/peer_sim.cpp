// The GUI library's headless peers for the desktop, message boxes, the
// process's end and the hidden object window.
#include "gui/peer.h"
#include "sim/machine.h"

namespace gui::peer {

namespace {
const os::HWND desktopHandle = reinterpret_cast<os::HWND>(0x10010);
}

os::HWND desktopWindow() { return desktopHandle; }

void desktopSize(int* width, int* height) {
    *width = sim::machine().desktopWidth;
    *height = sim::machine().desktopHeight;
}

int messageBox(os::HWND owner, const std::string& text, const std::string& title, unsigned style,
               unsigned long helpId) {
    sim::Machine& m = sim::machine();
    const unsigned buttons = style & 0xF;
    sim::BoxAnswer answer{buttons == 0 ? 1 : 2, nullptr};  // Escape: OK, else Cancel
    if (!m.boxScript.empty()) {
        answer = m.boxScript.front();
        m.boxScript.pop_front();
    }
    m.boxes.push_back({owner, title, text, style, helpId, answer.answer});
    if (answer.whileOpen) answer.whileOpen();
    return answer.answer;
}

void exitProcess(int code) { throw sim::ProcessExit{code}; }

os::HWND createObjectWindow() {
    sim::Machine& m = sim::machine();
    if (m.failObjectWindow) {
        m.lastError = 1406;  // ERROR_TLW_WITH_WSCHILD: any failure of CreateWindowEx
        return nullptr;
    }
    return m.windows.create(nullptr, "", "AutorunObjectWindow", true);
}

void destroyWindow(os::HWND window) { sim::machine().windows.destroy(window); }

}  // namespace gui::peer
