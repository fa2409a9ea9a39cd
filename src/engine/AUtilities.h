// AUtilities: the process-wide state of the autorun program and the static
// operations over it. Never instantiated.
#pragma once

#include <string>

#include "engine/AWindowEntry.h"
#include "platform/os.h"

namespace gui {
class Exception;
}

#define AUTORUN_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))

class AUtilities {
public:
    AUtilities() = delete;

    // The trace file: created or emptied on open, shared for reading, never
    // inherited by the programs started later; closed when destroyed.
    class TraceStream {
    public:
        TraceStream() = default;
        ~TraceStream() { close(); }
        TraceStream(const TraceStream&) = delete;
        TraceStream& operator=(const TraceStream&) = delete;

        bool open(const std::string& name);
        bool isOpen() const { return handle_ != nullptr; }
        // Writes `text` at once, each line feed as carriage return and line
        // feed, as a text-mode stream does, at the file's end: another
        // instance that emptied the file meanwhile leaves no gap of zero
        // bytes before the line, and one that writes to it at the same
        // moment writes its own line before or after this one, never over it.
        void write(const std::string& text);
        void close();

    private:
        os::HANDLE handle_ = nullptr;
    };

    // ---- shared state -------------------------------------------------------
    // These three name members of the state that a run changes (below).
    static std::string& driveWithSlash;
    static AWindowList*& windowsList;
    static std::string& programName;
    static const std::string windowTitle;
    static TraceStream traceFile;

    static const int rcOK = 0;
    static const int rcNotFound = -1;
    static const int rcNotInstalled = -3;
    static const int rcNetworkDrive = -4;
    static const int rcRegistryWriteFailed = -5;

    static const std::string choiceVLR;
    static const std::string choiceKitIndex;
    static const std::string choiceDiscIndex;
    static const std::string choiceWindow;
    static const std::string choiceNothing;
    static const std::string version;
    // The disc's frame page: it marks a kit disc and is the collection index.
    static const std::string framePage;
    // The oldest reader that takes the current options; an older one is warned about.
    static const std::string currentVLRVersion;

    static bool isSlashH();
    static bool isSlashP();
    static bool isSlashT();
    static bool isJavaInstalled();
    static bool isOnNetworkDrive();
    static bool isVLRInstalled();
    static bool isTndrlCD();
    static bool isPDFCD();
    static bool isMixedCD();
    static bool isTraceActive();

    static std::string javaExecutable();
    static std::string kitTitle();
    static std::string vlrPath();
    static std::string vlrParms();
    static std::string vlrVersion();
    static std::string tndrlChoice();
    static std::string mixedChoice();
    static std::string oldVersion();
    static std::string pdfChoice();
    static std::string traceFilename();
    static std::string vlrJarFile();

    static void setSlashH(bool on);
    static void setSlashP(bool on);
    static void setSlashT(bool on);
    static void setJavaInstalled(bool on);
    static void setNetworkDrive(bool on);
    static void setVLRInstalled(bool on);
    static void setTndrlCD(bool on);
    static void setPDFCD(bool on);
    static void setTraceActive(bool on);

    static void setJavaExecutable(const std::string& text);
    static void setKitTitle(const std::string& text);
    static void setVLRPath(const std::string& text);
    static void setVLRParms(const std::string& text);
    static void setVLRVersion(const std::string& text);
    static void setTndrlChoice(const std::string& text);
    static void setMixedChoice(const std::string& text);
    static void setOldVersion(const std::string& text);
    static void setPDFChoice(const std::string& text);
    static void setTraceFilename(const std::string& text);

    // Closes the trace file, deletes the window list and puts the state that
    // a run changes back to its initial values; the host tests run many
    // programs in one process.
    static void resetState();

    // ---- trace and messages -------------------------------------------------
    static void trace(const char* name, const char* format, ...) AUTORUN_PRINTF(2, 3);
    static void openTraceFile();
    static void stopTracing();
    static std::string format(const char* format, ...) AUTORUN_PRINTF(1, 2);
    static void showMessage(const char* format, ...) AUTORUN_PRINTF(1, 2);
    static void showMessage(const std::string& readyText);
    static void showExceptionMessage(const char* prefix, const gui::Exception& exception);

    // ---- command line -------------------------------------------------------
    static void parseArgs();

    // ---- disc probing -------------------------------------------------------
    static int getCurrentDirectory();
    static bool getKitTitle();
    static bool doesFileExist(std::string fileName);

    // ---- settings -----------------------------------------------------------
    static bool isRegistryWriteable();
    static void getRegistryKeys();
    static int setRegistryKeys();

    // ---- detection of Java and the reader -----------------------------------
    static bool findJava();
    static bool findVLR();

    // ---- window list --------------------------------------------------------
    static void getWindowsList();
    static void closeWindow(std::string title);

    // ---- starting programs --------------------------------------------------
    static int startProgram(std::string commandLine, std::string startDir);
    static std::string findExecutable(std::string fileName);
    static int openBrowser(std::string whichIndex);
    static int openVLR();

    // ---- start-up checks ----------------------------------------------------
    static bool initialize();

private:
    // The state that a run changes, with its initial values; every such
    // member belongs here, so that resetState puts it back. Only the trace
    // file stays apart, as a stream cannot be copied: resetState closes it.
    // Apart from the three named above, the state is reached only through
    // the get and set operations.
    struct State {
        std::string driveWithSlash;
        bool slashH = false;
        bool slashP = false;
        bool slashT = false;
        bool javaInstalled = false;
        std::string javaExecutable;
        std::string kitTitle;
        bool networkDrive = false;
        bool vlrInstalled = false;
        std::string vlrPath;
        std::string vlrParms;
        std::string vlrVersion;
        bool tndrlCD = false;
        bool pdfCD = false;
        AWindowList* windowsList = nullptr;  // owned
        std::string tndrlChoice;
        std::string mixedChoice;
        std::string oldVersion;
        std::string pdfChoice;
        std::string traceFilename;
        bool traceActive = false;
        std::string programName;
    };
    static State state_;
};
