// The shared state of AUtilities: its members in their order of construction,
// and their get and set operations.
#include "engine/AUtilities.h"
#include "gui/Text.h"

std::string AUtilities::driveWithSlash;
bool AUtilities::slashH_ = false;
bool AUtilities::slashP_ = false;
bool AUtilities::slashT_ = false;
bool AUtilities::javaInstalled_ = false;
std::string AUtilities::javaExecutable_;
std::string AUtilities::kitTitle_;
bool AUtilities::networkDrive_ = false;
bool AUtilities::vlrInstalled_ = false;
std::string AUtilities::vlrPath_;
std::string AUtilities::vlrParms_;
std::string AUtilities::vlrVersion_;
bool AUtilities::tndrlCD_ = false;
bool AUtilities::pdfCD_ = false;
AWindowList* AUtilities::windowsList = nullptr;
const std::string AUtilities::windowTitle = "Autorun Preferences for Zantic Collections";
std::string AUtilities::tndrlChoice_;
std::string AUtilities::mixedChoice_;
std::string AUtilities::oldVersion_;
std::string AUtilities::pdfChoice_;
AUtilities::TraceStream AUtilities::traceFile;
std::string AUtilities::traceFilename_;
bool AUtilities::traceActive_ = false;
const std::string AUtilities::choiceVLR = "VLR";
const std::string AUtilities::choiceKitIndex = "KitIndex";
const std::string AUtilities::choiceDiscIndex = "DiscIndex";
const std::string AUtilities::choiceWindow = "Window";
const std::string AUtilities::choiceNothing = "Nothing";
std::string AUtilities::programName;
const std::string AUtilities::version = "0013";
const std::string AUtilities::framePage = "vmframe.htm";
const std::string AUtilities::currentVLRVersion = "2.3.5";

bool AUtilities::isSlashH() { return slashH_; }
bool AUtilities::isSlashP() { return slashP_; }
bool AUtilities::isSlashT() { return slashT_; }
bool AUtilities::isJavaInstalled() { return javaInstalled_; }
bool AUtilities::isOnNetworkDrive() { return networkDrive_; }
bool AUtilities::isVLRInstalled() { return vlrInstalled_; }
bool AUtilities::isTndrlCD() { return tndrlCD_; }
bool AUtilities::isPDFCD() { return pdfCD_; }
bool AUtilities::isMixedCD() { return isTndrlCD() && isPDFCD(); }
bool AUtilities::isTraceActive() { return traceActive_; }

std::string AUtilities::javaExecutable() { return javaExecutable_; }
std::string AUtilities::kitTitle() { return kitTitle_; }
std::string AUtilities::vlrPath() { return vlrPath_; }
std::string AUtilities::vlrParms() { return vlrParms_; }
std::string AUtilities::vlrVersion() { return vlrVersion_; }
std::string AUtilities::tndrlChoice() { return tndrlChoice_; }
std::string AUtilities::mixedChoice() { return mixedChoice_; }
std::string AUtilities::oldVersion() { return oldVersion_; }
std::string AUtilities::pdfChoice() { return pdfChoice_; }
std::string AUtilities::traceFilename() { return traceFilename_; }
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

FLAG_SETTER(setSlashH, slashH_, isSlashH)
FLAG_SETTER(setSlashP, slashP_, isSlashP)
FLAG_SETTER(setSlashT, slashT_, isSlashT)
FLAG_SETTER(setJavaInstalled, javaInstalled_, isJavaInstalled)
FLAG_SETTER(setNetworkDrive, networkDrive_, isOnNetworkDrive)
FLAG_SETTER(setVLRInstalled, vlrInstalled_, isVLRInstalled)
FLAG_SETTER(setTndrlCD, tndrlCD_, isTndrlCD)
FLAG_SETTER(setPDFCD, pdfCD_, isPDFCD)

TEXT_SETTER(setJavaExecutable, javaExecutable_, javaExecutable)
TEXT_SETTER(setKitTitle, kitTitle_, kitTitle)
TEXT_SETTER(setVLRPath, vlrPath_, vlrPath)
TEXT_SETTER(setVLRParms, vlrParms_, vlrParms)
TEXT_SETTER(setVLRVersion, vlrVersion_, vlrVersion)
TEXT_SETTER(setTndrlChoice, tndrlChoice_, tndrlChoice)
TEXT_SETTER(setMixedChoice, mixedChoice_, mixedChoice)
TEXT_SETTER(setOldVersion, oldVersion_, oldVersion)
TEXT_SETTER(setPDFChoice, pdfChoice_, pdfChoice)
TEXT_SETTER(setTraceFilename, traceFilename_, traceFilename)

void AUtilities::setTraceActive(bool on) { traceActive_ = on; }

void AUtilities::resetState() {
    traceFile.close();
    traceActive_ = false;
    slashH_ = slashP_ = slashT_ = false;
    javaInstalled_ = networkDrive_ = vlrInstalled_ = tndrlCD_ = pdfCD_ = false;
    javaExecutable_.clear();
    kitTitle_.clear();
    vlrPath_.clear();
    vlrParms_.clear();
    vlrVersion_.clear();
    tndrlChoice_.clear();
    mixedChoice_.clear();
    oldVersion_.clear();
    pdfChoice_.clear();
    traceFilename_.clear();
    driveWithSlash.clear();
    programName.clear();
    delete windowsList;
    windowsList = nullptr;
}
