#include "gui/Application.h"

#include "gui/FrameWindow.h"
#include "gui/peer.h"

namespace gui {

Application& Application::current() {
    static Application application;
    return application;
}

void Application::setArguments(int argc, const char* const* argv) {
    arguments_.clear();
    for (int i = 0; i < argc && argv && argv[i]; ++i) arguments_.emplace_back(argv[i]);
}

std::string Application::argument(int i) const {
    if (i < 0 || i >= argumentCount()) return std::string();
    return arguments_[static_cast<std::size_t>(i)];
}

void Application::run() {
    if (!FrameWindow::anyOpen()) return;
    ++running_;
    try {
        peer::runMessageLoop();
    } catch (...) {
        --running_;
        throw;
    }
    --running_;
}

const ResourceLibrary& Application::userResourceLibrary() {
    if (!resourcesLoaded_) {
        resources_ = ResourceLibrary(peer::ownModule());
        resourcesLoaded_ = true;
    }
    return resources_;
}

void Application::exit(int code) { peer::exitProcess(code); }

}  // namespace gui
