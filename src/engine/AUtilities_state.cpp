// The shared state of AUtilities: its definitions, and their get and set
// operations.
#include "engine/AUtilities.h"
#include "gui/Text.h"

AUtilities::State AUtilities::state_;
std::string& AUtilities::driveWithSlash = state_.driveWithSlash;
AWindowList*& AUtilities::windowsList = state_.windowsList;
std::string& AUtilities::programName = state_.programName;
const std::string AUtilities::windowTitle = "Autorun Preferences for Zantic Collections";
AUtilities::TraceStream AUtilities::traceFile;
const std::string AUtilities::choiceVLR = "VLR";
const std::string AUtilities::choiceKitIndex = "KitIndex";
const std::string AUtilities::choiceDiscIndex = "DiscIndex";
const std::string AUtilities::choiceWindow = "Window";
const std::string AUtilities::choiceNothing = "Nothing";
const std::string AUtilities::version = "0013";
const std::string AUtilities::framePage = "vmframe.htm";
const std::string AUtilities::currentVLRVersion = "2.3.5";

bool AUtilities::isSlashH() { return state_.slashH; }
bool AUtilities::isSlashP() { return state_.slashP; }
bool AUtilities::isSlashT() { return state_.slashT; }
bool AUtilities::isJavaInstalled() { return state_.javaInstalled; }
bool AUtilities::isOnNetworkDrive() { return state_.networkDrive; }
bool AUtilities::isVLRInstalled() { return state_.vlrInstalled; }
bool AUtilities::isTndrlCD() { return state_.tndrlCD; }
bool AUtilities::isPDFCD() { return state_.pdfCD; }
bool AUtilities::isMixedCD() { return isTndrlCD() && isPDFCD(); }
bool AUtilities::isTraceActive() { return state_.traceActive; }

std::string AUtilities::javaExecutable() { return state_.javaExecutable; }
std::string AUtilities::kitTitle() { return state_.kitTitle; }
std::string AUtilities::vlrPath() { return state_.vlrPath; }
std::string AUtilities::vlrParms() { return state_.vlrParms; }
std::string AUtilities::vlrVersion() { return state_.vlrVersion; }
std::string AUtilities::tndrlChoice() { return state_.tndrlChoice; }
std::string AUtilities::mixedChoice() { return state_.mixedChoice; }
std::string AUtilities::oldVersion() { return state_.oldVersion; }
std::string AUtilities::pdfChoice() { return state_.pdfChoice; }
std::string AUtilities::traceFilename() { return state_.traceFilename; }
std::string AUtilities::vlrJarFile() { return vlrPath() + "\\pvns"; }

// Each set operation stores its value, then traces it as read back.
#define FLAG_SETTER(name, field, query)                         \
    void AUtilities::name(bool on) {                            \
        field = on;                                             \
        trace("AUtilities::" #name "()", "set to \"%s\"", gui::boolText(query())); \
    }
#define TEXT_SETTER(name, field, query)                         \
    void AUtilities::name(const std::string& text) {            \
        field = text;                                           \
        trace("AUtilities::" #name "()", "set to \"%s\"", query().c_str()); \
    }

FLAG_SETTER(setSlashH, state_.slashH, isSlashH)
FLAG_SETTER(setSlashP, state_.slashP, isSlashP)
FLAG_SETTER(setSlashT, state_.slashT, isSlashT)
FLAG_SETTER(setJavaInstalled, state_.javaInstalled, isJavaInstalled)
FLAG_SETTER(setNetworkDrive, state_.networkDrive, isOnNetworkDrive)
FLAG_SETTER(setVLRInstalled, state_.vlrInstalled, isVLRInstalled)
FLAG_SETTER(setTndrlCD, state_.tndrlCD, isTndrlCD)
FLAG_SETTER(setPDFCD, state_.pdfCD, isPDFCD)

TEXT_SETTER(setJavaExecutable, state_.javaExecutable, javaExecutable)
TEXT_SETTER(setKitTitle, state_.kitTitle, kitTitle)
TEXT_SETTER(setVLRPath, state_.vlrPath, vlrPath)
TEXT_SETTER(setVLRParms, state_.vlrParms, vlrParms)
TEXT_SETTER(setVLRVersion, state_.vlrVersion, vlrVersion)
TEXT_SETTER(setTndrlChoice, state_.tndrlChoice, tndrlChoice)
TEXT_SETTER(setMixedChoice, state_.mixedChoice, mixedChoice)
TEXT_SETTER(setOldVersion, state_.oldVersion, oldVersion)
TEXT_SETTER(setPDFChoice, state_.pdfChoice, pdfChoice)
TEXT_SETTER(setTraceFilename, state_.traceFilename, traceFilename)

void AUtilities::setTraceActive(bool on) { state_.traceActive = on; }

void AUtilities::resetState() {
    traceFile.close();
    delete windowsList;
    state_ = State();
}
