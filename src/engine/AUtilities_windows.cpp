// The snapshot of the desktop's titled top-level windows, and closing
// windows by a part of their title.
#include <memory>
#include <set>

#include "engine/AUtilities.h"
#include "gui/Exception.h"
#include "gui/ObjectWindow.h"
#include "gui/Text.h"

namespace {

constexpr int titleBufferSize = 1024;  // a title is cut to 1,023 characters
// Steps of all passes of one walk: far above any real desktop (a session
// holds at most 65,536 window handles), so the walk ends even if windows
// keep being reordered, made or destroyed under it.
constexpr std::size_t walkLimit = 65536;

}  // namespace

void AUtilities::getWindowsList() {
    const char* const me = "AUtilities::getWindowsList()";
    trace(me, "Entry.");

    std::unique_ptr<gui::ObjectWindow> hidden;
    try {
        hidden = std::make_unique<gui::ObjectWindow>();
    } catch (const gui::Exception& exception) {
        showExceptionMessage("Pelkos Message", exception);
    }

    delete windowsList;
    windowsList = new AWindowList();
    windowsList->reserve(20);

    if (hidden) {
        // Top of the Z order to the bottom, the hidden window included, and
        // again until a pass meets no window that the passes before it had
        // not: the order can change under a pass (a window asked to close
        // goes away and leaves no way to the windows below it, another comes
        // to the top in its place), so one pass alone may miss windows that
        // were there all along. Each window is listed once. A window met a
        // second time in one pass means the order changed in a loop, which
        // ends that pass.
        std::set<os::HWND> met;
        char title[titleBufferSize];
        std::size_t steps = 0;
        for (bool metNew = true; metNew && steps < walkLimit;) {
            metNew = false;
            std::set<os::HWND> metInPass;
            for (os::HWND window = os::GetWindow(hidden->handle(), os::GW_HWNDFIRST);
                 window && ++steps <= walkLimit && metInPass.insert(window).second;
                 window = os::GetWindow(window, os::GW_HWNDNEXT)) {
                if (!met.insert(window).second) continue;
                metNew = true;
                if (os::GetWindowTextLengthA(window) <= 0) continue;
                title[0] = '\0';
                os::GetWindowTextA(window, title, titleBufferSize);
                title[titleBufferSize - 1] = '\0';
                windowsList->push_back(AWindowEntry(window, title));
            }
        }
        hidden.reset();
    }

    trace(me, "Number of elements = %d", static_cast<int>(windowsList->size()));
    trace(me, "Exit.");
}

void AUtilities::closeWindow(std::string title) {
    const char* const me = "AUtilities::closeWindow()";
    trace(me, "Entry.");
    trace(me, "Title to close = \"%s\"", title.c_str());
    if (title.empty()) return;

    getWindowsList();
    // Upper-cased once for the whole walk: the title may be long, the list too.
    const std::string wanted = gui::upper(title);
    for (const AWindowEntry& entry : *windowsList) {
        const std::string listed = entry.title();
        if (gui::upper(listed).find(wanted) == std::string::npos) continue;
        trace(me, "Closing \"%s\"", listed.c_str());
        os::PostMessageA(entry.handle(), os::WM_CLOSE, 0, 0);  // not waited for; a failure is ignored
    }
    trace(me, "Exit.");
}
