// The application object: one per process. It keeps the command line, one
// text per argument, runs the message loop, holds the resource library and
// ends the process.
#pragma once

#include <string>
#include <vector>

#include "gui/Resources.h"

namespace gui {

class Application {
public:
    static Application& current();

    void setArguments(int argc, const char* const* argv);
    int argumentCount() const { return static_cast<int>(arguments_.size()); }
    // Argument i, or the empty text at or beyond the count.
    std::string argument(int i) const;

    // Runs the message loop on the calling thread; returns once the last
    // top-level frame (the desktop its parent, no owner) has been destroyed.
    // Returns at once when there is none.
    void run();
    bool isRunning() const { return running_ > 0; }

    // The program's own module as resource library.
    const ResourceLibrary& userResourceLibrary();

    // Ends the process with `code` after exit processing; never returns.
    [[noreturn]] void exit(int code = 0);

private:
    std::vector<std::string> arguments_;
    ResourceLibrary resources_;
    bool resourcesLoaded_ = false;
    int running_ = 0;
};

}  // namespace gui
