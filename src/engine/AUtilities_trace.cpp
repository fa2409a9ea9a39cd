// The trace file and the program's message boxes.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "engine/AUtilities.h"
#include "gui/Exception.h"
#include "gui/MessageDialog.h"
#include "gui/Window.h"

namespace {

constexpr std::size_t bufferSize = 1024;  // every expansion holds at most 1023 characters
constexpr std::size_t messageCut = 950;
const char truncatedMarker[] = "\n<truncated>";
constexpr std::size_t markerLength = sizeof truncatedMarker - 1;

// Expands into `buffer` of `size` bytes, always terminated, cut when longer.
void expand(char* buffer, std::size_t size, const char* format, std::va_list args) {
    const int n = std::vsnprintf(buffer, size, format, args);
    if (n < 0) buffer[0] = '\0';
    buffer[size - 1] = '\0';
}

// The line lock: one byte that every writer of a trace line locks, in any
// instance. Byte 2^62 lies far beyond any trace's lines, so the lock keeps
// no reader or writer of them waiting. Windows waits for a lock that another
// instance holds, which it holds only over one move and one write, and
// releases it when that instance's handle closes or its process ends.
os::OVERLAPPED lineLock() {
    os::OVERLAPPED at{};
    at.OffsetHigh = 0x40000000;
    return at;
}

void showBox(const std::string& message) {
    gui::MessageDialog box(gui::desktop().handle());
    box.setTitle("Autorun Message");
    box.show(message, gui::MessageDialog::okStyle | gui::MessageDialog::iconWarning |
                          gui::MessageDialog::applicationModal);
}

}  // namespace

bool AUtilities::TraceStream::open(const std::string& name) {
    close();
    os::HANDLE h = os::CreateFileA(name.c_str(), os::GENERIC_WRITE,
                                   os::FILE_SHARE_READ | os::FILE_SHARE_WRITE, nullptr,
                                   os::CREATE_ALWAYS, os::FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == os::invalidHandle()) return false;
    handle_ = h;
    return true;
}

void AUtilities::TraceStream::write(const std::string& text) {
    if (!handle_) return;
    std::string bytes;
    bytes.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    // Another instance tracing into the same file could find the same end
    // between this move and this write and have its line written over, so
    // the two are done under the line lock. Where the file takes no lock,
    // the line is written all the same.
    os::OVERLAPPED lock = lineLock();
    const bool locked = os::LockFileEx(handle_, os::LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lock);
    const os::LARGE_INTEGER none{};
    os::SetFilePointerEx(handle_, none, nullptr, os::FILE_END);
    os::DWORD written = 0;
    os::WriteFile(handle_, bytes.data(), static_cast<os::DWORD>(bytes.size()), &written, nullptr);
    if (locked) os::UnlockFileEx(handle_, 0, 1, 0, &lock);
}

void AUtilities::TraceStream::close() {
    if (!handle_) return;
    os::CloseHandle(handle_);
    handle_ = nullptr;
}

void AUtilities::trace(const char* name, const char* format, ...) {
    if (!isTraceActive()) return;
    char text[bufferSize];
    std::va_list args;
    va_start(args, format);
    expand(text, sizeof text, format, args);
    va_end(args);
    std::string line(name);
    line += ' ';
    line += text;
    line += '\n';
    traceFile.write(line);  // unbuffered: on disk at once
}

void AUtilities::openTraceFile() {
    // A second trace switch keeps the file already open rather than emptying
    // it, so no line of this run is lost.
    if (traceFile.isOpen()) {
        setTraceActive(true);
        return;
    }
    setTraceFilename("trace.txt");
    bool open = traceFile.open(traceFilename());
    if (!open) {
        setTraceFilename("c:\\ZanticDovrelAutoruntrace.txt");
        open = traceFile.open(traceFilename());
    }
    setTraceActive(open);
}

void AUtilities::stopTracing() {
    if (!isTraceActive()) return;
    traceFile.close();
    setTraceActive(false);
}

std::string AUtilities::format(const char* format, ...) {
    char text[bufferSize];
    std::va_list args;
    va_start(args, format);
    expand(text, sizeof text, format, args);
    va_end(args);
    return text;
}

void AUtilities::showMessage(const char* format, ...) {
    const bool cut = std::strlen(format) > messageCut;
    std::string usedFormat(format, cut ? messageCut : std::strlen(format));
    // A cut must not leave half a conversion at the end of the format.
    std::size_t percents = 0;
    while (percents < usedFormat.size() && usedFormat[usedFormat.size() - 1 - percents] == '%')
        ++percents;
    if (percents % 2 == 1) usedFormat.pop_back();

    char text[bufferSize];
    std::va_list args;
    va_start(args, format);
    expand(text, cut ? bufferSize - markerLength : bufferSize, usedFormat.c_str(), args);
    va_end(args);
    std::string message(text);
    if (cut) message += truncatedMarker;
    showBox(message);
}

void AUtilities::showMessage(const std::string& readyText) {
    if (readyText.size() > messageCut)
        showBox(readyText.substr(0, messageCut) + truncatedMarker);
    else
        showBox(readyText);
}

void AUtilities::showExceptionMessage(const char* prefix, const gui::Exception& exception) {
    const std::string functionName =
        exception.locationCount() > 0
            ? exception.location(exception.locationCount() - 1).function
            : std::string("Unknown");
    const std::string errorId = format("%lu", static_cast<unsigned long>(exception.errorId()));
    std::string texts;
    for (std::size_t i = 0; i < exception.textCount(); ++i) texts += exception.text(i) + "\n";
    showMessage(format("%s\n%s %s\n%s %s\n%s %s\n%s %s", prefix, "name:", exception.name().c_str(),
                       "function name:", functionName.c_str(), "errorId:", errorId.c_str(),
                       "text:", texts.c_str()));
}
