// The application object: one per process. It keeps the command line, one
// text per argument, and ends the process.
#pragma once

#include <string>
#include <vector>

namespace gui {

class Application {
public:
    static Application& current();

    void setArguments(int argc, const char* const* argv);
    int argumentCount() const { return static_cast<int>(arguments_.size()); }
    // Argument i, or the empty text at or beyond the count.
    std::string argument(int i) const;

    // Ends the process with `code` after exit processing; never returns.
    [[noreturn]] void exit(int code = 0);

private:
    std::vector<std::string> arguments_;
};

}  // namespace gui
