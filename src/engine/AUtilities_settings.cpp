// The settings in the registry: the write test, reading the saved choices
// and writing them back.
#include <ctime>

#include "engine/AUtilities.h"
#include "gui/Text.h"
#include "engine/RegistryText.h"
#include "gui/Date.h"

namespace {

const char settingsKey[] = "Software\\Zantic\\Vm_Autorun";


// Creates the settings key, and any missing parent, or opens it for writing.
os::LONG openSettingsForWriting(os::HKEY* key) {
    os::DWORD disposition = 0;
    return os::RegCreateKeyExA(os::hkeyLocalMachine(), settingsKey, 0, nullptr,
                               os::REG_OPTION_NON_VOLATILE, os::KEY_WRITE, nullptr, key,
                               &disposition);
}

// Writes the text's characters alone, without a terminating zero.
os::LONG writeText(os::HKEY key, const char* name, const std::string& text) {
    return os::RegSetValueExA(key, name, 0, os::REG_SZ,
                              reinterpret_cast<const os::BYTE*>(text.data()),
                              static_cast<os::DWORD>(text.size()));
}

// Today's local date as the GUI library's short date text.
std::string todaysDateText() {
    std::tm local = {};
    if (!os::localtime(os::time(), &local)) local = std::tm();
    return gui::Date(local.tm_year + 1900, local.tm_yday + 1).shortText();
}

}  // namespace

bool AUtilities::isRegistryWriteable() {
    const char* const me = "AUtilities::isRegistryWriteable()";
    trace(me, "Entry.");
    const std::string date = todaysDateText();

    os::HKEY key = nullptr;
    const os::LONG createRc = openSettingsForWriting(&key);
    trace(me, "RegCreateKeyEx rc = %d", createRc);
    bool writeable = false;
    if (createRc == os::ERROR_SUCCESS) {
        const os::LONG setRc = writeText(key, "Date", date);
        trace(me, "RegSetValueEx() rc = %d", setRc);
        os::RegCloseKey(key);
        writeable = setRc == os::ERROR_SUCCESS;
    }

    trace(me, "bRC = %s", gui::boolText(writeable));
    trace(me, "Exit.");
    return writeable;
}

void AUtilities::getRegistryKeys() {
    const char* const me = "AUtilities::getRegistryKeys()";
    trace(me, "Entry.");
    trace(me, "Setting default choices before reading the registry...");
    setTndrlChoice(choiceWindow);
    setMixedChoice(choiceWindow);
    setPDFChoice(choiceWindow);
    setOldVersion(version);

    os::HKEY key = nullptr;
    const os::LONG openRc = openForReading(settingsKey, &key);
    trace(me, "RegOpenKeyEx rc = %d", openRc);
    if (openRc == os::ERROR_SUCCESS) {
        struct Setting {
            const char* value;
            const char* tracedAs;
            void (*set)(const std::string&);
        };
        static const Setting settings[] = {
            {"Version", "Version", setOldVersion},
            {"TndrlChoice", "TndrlChoice", setTndrlChoice},
            {"MixedChoice", "MixedChoice", setMixedChoice},
            {"PDFChoice", "PdfChoice", setPDFChoice},
        };
        for (const Setting& setting : settings) {
            std::string text;
            const os::LONG rc = queryRegistryText(key, setting.value, &text);
            trace(me, "RegQueryValueEx( %s ) rc = %d", setting.tracedAs, rc);
            if (rc == os::ERROR_SUCCESS) setting.set(text);
        }
        os::RegCloseKey(key);
    }
    trace(me, "Exit.");
}

int AUtilities::setRegistryKeys() {
    const char* const me = "AUtilities::setRegistryKeys()";
    trace(me, "Entry.");

    os::HKEY key = nullptr;
    const os::LONG createRc = openSettingsForWriting(&key);
    trace(me, "RegCreateKeyEx rc = %d", createRc);
    int rc = createRc == os::ERROR_SUCCESS ? rcOK : rcRegistryWriteFailed;
    if (createRc == os::ERROR_SUCCESS) {
        const struct {
            const char* value;
            const char* tracedAs;
            std::string text;
            bool counts;  // a failed write of the version does not count
        } settings[] = {
            {"TndrlChoice", "tndrlChoice", tndrlChoice(), true},
            {"MixedChoice", "mixedChoice", mixedChoice(), true},
            {"PDFChoice", "pdfChoice", pdfChoice(), true},
            {"Version", "version", version, false},
        };
        for (const auto& setting : settings) {
            const os::LONG setRc = writeText(key, setting.value, setting.text);
            trace(me, "RegSetValueEx( %s = %s ) rc = %d", setting.tracedAs, setting.text.c_str(),
                  setRc);
            if (setRc != os::ERROR_SUCCESS && setting.counts) rc = rcRegistryWriteFailed;
        }
        os::RegCloseKey(key);
    }

    trace(me, "rc = %d", rc);
    trace(me, "Exit.");
    return rc;
}
