// The OS seam's process starts, sleeps and the shell's association lookup on
// the simulated machine, keeping the Windows contracts.
#include <cstring>
#include <string>
#include <vector>

#include "gui/Text.h"
#include "platform/os.h"
#include "platform/splitpath.h"
#include "sim/machine.h"

namespace os {

namespace {

constexpr DWORD ERROR_DIRECTORY = 267;  // the working folder is not a folder
constexpr INT_PTR SE_ERR_FNF = 2;
constexpr INT_PTR SE_ERR_PNF = 3;
constexpr INT_PTR foundExecutable = 42;  // any value above 32

sim::Machine& m() { return sim::machine(); }

bool isFile(const std::string& path) {
    const sim::FileSystem::Entry* e = m().files.find(path);
    return e && !e->folder;
}

bool folderOf(const std::string& path) {
    const std::string parent = sim::FileSystem::parentKey(m().files.key(path));
    const sim::FileSystem::Entry* e = parent.empty() ? nullptr : m().files.find(parent + "\\");
    return parent.empty() || (e && e->folder);
}

// A module name without an extension in its last name gets ".exe".
std::string withDefaultExtension(const std::string& name) {
    return splitPath(name).extension.empty() ? name + ".exe" : name;
}

// The names that CreateProcessA tries, in order, for a command line without
// an application name: a quoted first token as it stands; otherwise every
// run of text up to a blank or tab, shortest first, so that an unquoted
// "C:\Program Files\x.exe" tries C:\Program.exe before the whole path.
std::vector<std::string> moduleCandidates(const std::string& line, std::size_t* tokenEnd) {
    std::vector<std::string> out;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        *tokenEnd = close == std::string::npos ? line.size() : close + 1;
        out.push_back(line.substr(1, (close == std::string::npos ? line.size() : close) - 1));
        return out;
    }
    *tokenEnd = line.find_first_of(" \t");
    if (*tokenEnd == std::string::npos) *tokenEnd = line.size();
    for (std::size_t i = 0; i < line.size(); ++i)
        if ((line[i] == ' ' || line[i] == '\t') && i > 0) out.push_back(line.substr(0, i));
    out.push_back(line);
    return out;
}

// What a start passes that the machine does not model: attributes of the
// new process and thread, creation flags, an environment of its own, and
// the start-up information's flags and the fields read without a flag.
bool modelledStart(void* processAttributes, void* threadAttributes, DWORD creationFlags,
                   void* environment, const STARTUPINFOA& si) {
    const char* const call = "CreateProcessA";
    bool modelled = sim::isModelledNull(processAttributes, call, "process attributes");
    modelled &= sim::isModelledNull(threadAttributes, call, "thread attributes");
    modelled &= sim::isModelled(creationFlags == 0, call, "creation flags", creationFlags);
    modelled &= sim::isModelledNull(environment, call, "environment");
    modelled &= sim::isModelled(si.dwFlags == 0, call, "startup info flags", si.dwFlags);
    modelled &= sim::isModelledNull(si.lpDesktop, call, "startup info desktop");
    modelled &= sim::isModelledNull(si.lpTitle, call, "startup info title");
    modelled &= sim::isModelled(!si.lpReserved && !si.cbReserved2 && !si.lpReserved2, call,
                                "startup info reserved fields", si.cbReserved2);
    return modelled;
}

}  // namespace

BOOL CreateProcessA(const char* applicationName, char* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const char* currentDirectory, STARTUPINFOA* startupInfo,
                    PROCESS_INFORMATION* processInformation) {
    if ((!applicationName && !commandLine) || !startupInfo || !processInformation ||
        !modelledStart(processAttributes, threadAttributes, creationFlags, environment,
                       *startupInfo)) {
        sim::setLastError(sim::errorInvalidParameter);
        return 0;
    }
    sim::Processes::Start start;
    start.applicationName = applicationName ? applicationName : "";
    start.commandLine = commandLine ? commandLine : "";  // reads up to the terminator
    start.currentDirectory = currentDirectory ? currentDirectory : "";
    start.inheritHandles = inheritHandles != 0;
    start.creationFlags = creationFlags;
    start.environmentGiven = environment != nullptr;
    start.startupInfo = *startupInfo;

    // Windows cuts the command line at the end of the module's name while it
    // parses and then puts the character back: the buffer must be writable.
    std::size_t tokenEnd = 0;
    const std::vector<std::string> candidates =
        applicationName ? std::vector<std::string>{applicationName}
                        : moduleCandidates(start.commandLine, &tokenEnd);
    if (commandLine) {
        volatile char* cut = commandLine + tokenEnd;
        const char kept = *cut;
        *cut = '\0';
        *cut = kept;
    }

    auto fail = [&](DWORD error) {
        m().processes.failedStarts.push_back(start);
        sim::setLastError(error);
        return BOOL(0);
    };
    if (!m().processes.failures.empty()) {
        const DWORD error = m().processes.failures.front();
        m().processes.failures.pop_front();
        return fail(error);
    }
    DWORD error = ERROR_FILE_NOT_FOUND;
    for (const std::string& candidate : candidates) {
        const std::string name = applicationName ? candidate : withDefaultExtension(candidate);
        if (isFile(name)) {
            start.program = name;
            break;
        }
        error = folderOf(name) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    if (start.program.empty()) return fail(error);
    if (currentDirectory) {
        const sim::FileSystem::Entry* folder = m().files.find(currentDirectory);
        if (!folder || !folder->folder) return fail(ERROR_DIRECTORY);
    }

    sim::Processes& p = m().processes;
    start.process = reinterpret_cast<HANDLE>(p.nextHandle);
    start.thread = reinterpret_cast<HANDLE>(p.nextHandle + 4);
    p.nextHandle += 8;
    p.handles.insert(start.process);
    p.handles.insert(start.thread);
    processInformation->hProcess = start.process;
    processInformation->hThread = start.thread;
    processInformation->dwProcessId = p.nextId;
    processInformation->dwThreadId = p.nextId + 4;
    p.nextId += 8;
    p.starts.push_back(start);
    return 1;
}

void Sleep(DWORD milliseconds) { m().processes.sleeps.push_back(milliseconds); }

// The program that the association of the file's extension names; the file
// must exist. The buffer is emptied first and filled only on success.
INT_PTR FindExecutableA(const char* file, const char* directory, char* result) {
    result[0] = '\0';
    std::string path = file ? file : "";
    m().processes.findCalls.push_back(path);
    const bool relative = !(path.size() >= 2 && path[1] == ':') && !(!path.empty() && path[0] == '\\');
    if (relative && directory && *directory) path = std::string(directory) + "\\" + path;

    if (path.empty() || !isFile(path)) return folderOf(path) ? SE_ERR_FNF : SE_ERR_PNF;
    std::string program;
    const auto forced = m().processes.findAnswers.find(m().files.key(path));
    if (forced != m().processes.findAnswers.end()) {
        if (forced->second.result <= 32) return forced->second.result;
        program = forced->second.program;
    } else {
        const std::string extension = gui::upper(splitPath(path).extension);
        const auto it = m().processes.associations.find(extension);
        if (extension.empty() || it == m().processes.associations.end()) return SE_ERR_NOASSOC;
        program = it->second;
    }
    const std::size_t n = program.size() < 259 ? program.size() : 259;  // MAX_PATH
    std::memcpy(result, program.data(), n);
    result[n] = '\0';
    return foundExecutable;
}

}  // namespace os
