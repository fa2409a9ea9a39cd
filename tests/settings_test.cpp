// The settings in the registry: the write test, reading and writing back.
#include <map>
#include <utility>

#include "gui/Text.h"
#include "sim/input.h"
#include "support.h"

namespace {

using test::Fixture;

using test::settingsKey;

class Settings : public Fixture {
protected:
    const sim::Registry::Value* value(const char* name) {
        return m().registry.findValue(settingsKey, name);
    }
};

TEST_F(Settings, FirstRunLeavesAllFiveValuesWrittenWithoutTerminator) {
    m().files.addFile("E:\\vmframe.htm");
    EXPECT_EQ(m().registry.findKey(settingsKey), nullptr);
    run({"E:\\autorun.exe", "/p"});

    struct Row {
        const char* name;
        std::string text;
    };
    const Row rows[] = {{"Date", "02/08/02"}, {"TndrlChoice", "Window"}, {"MixedChoice", "Window"},
                        {"PDFChoice", "Window"}, {"Version", "0013"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const sim::Registry::Value* v = value(row.name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, os::REG_SZ);
        // The size given leaves out the zero; Windows stores the zero that
        // follows the text in memory all the same.
        EXPECT_EQ(v->data, row.text + std::string(1, '\0'));
        bool written = false;
        for (const sim::Registry::Write& w : m().registry.writes)
            if (w.name == row.name) {
                EXPECT_EQ(w.size, row.text.size());
                written = true;
            }
        EXPECT_TRUE(written);
    }
    EXPECT_EQ(AUtilities::oldVersion(), "0013");
}

TEST_F(Settings, StoredChoiceReadAsText) {
    struct Row {
        const char* what;
        os::DWORD type;
        std::string stored;
        os::LONG rc;
        std::string read;
    };
    const Row rows[] = {
        {"a choice", os::REG_SZ, "VLR", 0, "VLR"},
        {"any text", os::REG_SZ, "Reader", 0, "Reader"},
        {"its own terminator", os::REG_SZ, std::string("KitIndex\0junk", 13), 0, "KitIndex"},
        {"empty", os::REG_SZ, "", 0, ""},
        {"1024 bytes without a zero", os::REG_SZ, std::string(1024, 'n'), 0, std::string(1024, 'n')},
        {"1025 bytes", os::REG_SZ, std::string(1025, 'n'), os::ERROR_MORE_DATA, "Window"},
        {"a 32-bit number", os::REG_DWORD, std::string("VL\0\0", 4), 0, "VL"},
        {"binary without a zero", os::REG_BINARY, std::string(1024, '\x01'), 0,
         std::string(1024, '\x01')},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().registry.setString(settingsKey, "MixedChoice", "DiscIndex");
        m().registry.setValue(settingsKey, "TndrlChoice", row.type, row.stored);
        AUtilities::openTraceFile();
        AUtilities::getRegistryKeys();
        EXPECT_EQ(AUtilities::tndrlChoice(), row.read);
        EXPECT_EQ(AUtilities::mixedChoice(), "DiscIndex");
        EXPECT_EQ(AUtilities::pdfChoice(), "Window");
        EXPECT_EQ(AUtilities::oldVersion(), "0013");
        EXPECT_TRUE(traced("AUtilities::getRegistryKeys() RegQueryValueEx( TndrlChoice ) rc = " +
                           std::to_string(row.rc)));
    }
}

// Choices saved under another settings version, or under none, count as
// they are: the run carries them out and writes them back unchanged, with
// this program's version. The next row's step sees a key left open.
TEST_F(Settings, ChoicesOfAnyStoredVersionAreKept) {
    const std::string browser = "C:\\WEB\\BROWSER.EXE";
    struct Row {
        const char* what;
        const char* stored;  // null: no Version value
        std::string read;
    };
    const Row rows[] = {
        {"this version", "0013", "0013"},
        {"an older version", "0012", "0012"},
        {"no version", nullptr, "0013"},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile("E:\\vmframe.htm");
        m().files.addFolder("E:\\shelves");
        m().files.addFile(browser);
        m().processes.associate(".htm", browser);
        m().registry.setString(settingsKey, "TndrlChoice", "KitIndex");
        m().registry.setString(settingsKey, "MixedChoice", "VLR");
        m().registry.setString(settingsKey, "PDFChoice", "Nothing");
        if (row.stored) m().registry.setString(settingsKey, "Version", row.stored);
        // An earlier run's write test, longer than today's date.
        m().registry.setString(settingsKey, "Date", "31.12.2001");
        EXPECT_EQ(run({"E:\\autorun.exe", "/p"}), 0);
        EXPECT_EQ(AUtilities::oldVersion(), row.read);
        std::vector<std::string> started;  // the Tandrel choice
        for (const sim::Processes::Start& s : m().processes.starts) started.push_back(s.commandLine);
        EXPECT_EQ(started, std::vector<std::string>{browser + " E:\\vmframe.htm"});
        std::map<std::string, std::string> values;
        for (const auto& [upper, v] : m().registry.findKey(settingsKey)->values)
            values[v.name] = v.data;
        const std::map<std::string, std::string> expected = {
            {"Date", std::string("02/08/02\0", 9)},
            {"TndrlChoice", std::string("KitIndex\0", 9)},
            {"MixedChoice", std::string("VLR\0", 4)},
            {"PDFChoice", std::string("Nothing\0", 8)},
            {"Version", std::string("0013\0", 5)},
        };
        EXPECT_EQ(values, expected);
    }
}

// Each read's trace line carries that read's own answer.
TEST_F(Settings, ReadTrace) {
    struct Row {
        const char* what;
        std::vector<std::pair<const char*, std::string>> stored;
        bool unreadable;  // the key refuses the user reading it
        std::vector<std::string> trace;
        std::vector<std::string> pdfChoices;  // traced by AUtilities::setPDFChoice()
    };
    const Row rows[] = {
        {"only the PDF choice", {{"pdfchoice", "Nothing"}}, false,
         {"Entry.", "Setting default choices before reading the registry...", "RegOpenKeyEx rc = 0",
          "RegQueryValueEx( Version ) rc = 2", "RegQueryValueEx( TndrlChoice ) rc = 2",
          "RegQueryValueEx( MixedChoice ) rc = 2", "RegQueryValueEx( PdfChoice ) rc = 0", "Exit."},
         {"set to \"Window\"", "set to \"Nothing\""}},
        {"too long, present, missing, present",
         {{"Version", std::string(1025, '1')}, {"TndrlChoice", "VLR"}, {"PDFChoice", "KitIndex"}},
         false,
         {"Entry.", "Setting default choices before reading the registry...", "RegOpenKeyEx rc = 0",
          "RegQueryValueEx( Version ) rc = 234", "RegQueryValueEx( TndrlChoice ) rc = 0",
          "RegQueryValueEx( MixedChoice ) rc = 2", "RegQueryValueEx( PdfChoice ) rc = 0", "Exit."},
         {"set to \"Window\"", "set to \"KitIndex\""}},
        {"the key refuses the user reading", {{"PDFChoice", "Nothing"}}, true,
         {"Entry.", "Setting default choices before reading the registry...", "RegOpenKeyEx rc = 5",
          "Exit."},
         {"set to \"Window\""}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        for (const auto& [name, text] : row.stored) m().registry.setString(settingsKey, name, text);
        if (row.unreadable) {
            m().registry.limitedUser = true;
            m().registry.findKey(settingsKey)->usersAccess = 0;
        }
        AUtilities::openTraceFile();
        AUtilities::getRegistryKeys();
        EXPECT_EQ(traceOf("AUtilities::getRegistryKeys()"), row.trace);
        EXPECT_EQ(traceOf("AUtilities::setPDFChoice()"), row.pdfChoices);
    }
}

TEST_F(Settings, NoKeyKeepsEveryDefault) {
    AUtilities::openTraceFile();
    AUtilities::getRegistryKeys();
    EXPECT_EQ(AUtilities::tndrlChoice(), "Window");
    EXPECT_EQ(AUtilities::mixedChoice(), "Window");
    EXPECT_EQ(AUtilities::pdfChoice(), "Window");
    EXPECT_EQ(AUtilities::oldVersion(), "0013");
    EXPECT_EQ(traceOf("AUtilities::getRegistryKeys()"),
              (std::vector<std::string>{"Entry.",
                                        "Setting default choices before reading the registry...",
                                        "RegOpenKeyEx rc = 2", "Exit."}));
}

// The status of the write-back, and the values it leaves: each value
// written holds this run's text alone, each one whose write failed still
// holds the earlier run's. The earlier values differ from this run's and are
// longer, so a write that was not made or kept old bytes shows.
TEST_F(Settings, WriteBackStatus) {
    enum Key { writable, refusesWrites, inVolatileKey };
    struct Row {
        const char* what;
        Key key;
        const char* failingValue;  // upper case
        int rc;
    };
    const Row rows[] = {
        {"all written", writable, nullptr, 0},
        {"only Version fails", writable, "VERSION", 0},
        {"a choice fails", writable, "MIXEDCHOICE", -5},
        {"the key cannot be written", refusesWrites, nullptr, -5},
        {"the key cannot be made in a volatile key", inVolatileKey, nullptr, -5},
    };
    const std::map<std::string, std::string> earlier = {
        {"TndrlChoice", "DiscIndex"}, {"MixedChoice", "Nothing"},
        {"PDFChoice", "KitIndex"},    {"Version", "0012 (an earlier run)"}};
    const std::map<std::string, std::string> now = {
        {"TndrlChoice", std::string("VLR\0", 4)}, {"MixedChoice", std::string("Window\0", 7)},
        {"PDFChoice", std::string("Nothing\0", 8)}, {"Version", std::string("0013\0", 5)}};
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        if (row.key == inVolatileKey) {
            m().registry.addKey("Software\\Zantic").isVolatile = true;
        } else {
            for (const auto& [name, text] : earlier) m().registry.setString(settingsKey, name, text);
            m().registry.findKey(settingsKey)->refuseWrites = row.key == refusesWrites;
        }
        if (row.failingValue) m().registry.failingWrites[row.failingValue] = 1450;
        AUtilities::setTndrlChoice("VLR");
        AUtilities::setMixedChoice("Window");
        AUtilities::setPDFChoice("Nothing");
        EXPECT_EQ(AUtilities::setRegistryKeys(), row.rc);
        // Every write is tried, also after one failed.
        EXPECT_EQ(m().registry.writes.size(), row.key == writable ? 4u : 0u);
        if (row.key == inVolatileKey) {
            EXPECT_EQ(m().registry.findKey(settingsKey), nullptr);
            continue;
        }
        for (const auto& [name, text] : earlier) {
            SCOPED_TRACE(name);
            const bool failed = row.key == refusesWrites ||
                                (row.failingValue && gui::upper(name) == row.failingValue);
            ASSERT_NE(value(name.c_str()), nullptr);
            EXPECT_EQ(value(name.c_str())->data, failed ? text : now.at(name));
        }
    }
}

// Each write's trace line carries that write's own answer, which differs
// from the answers of the calls around it.
TEST_F(Settings, WriteBackTrace) {
    struct Row {
        const char* what;
        std::map<std::string, os::LONG> failing;
        bool keyInVolatileKey;
        std::vector<std::string> trace;
    };
    const Row rows[] = {
        {"the PDF choice fails", {{"PDFCHOICE", 1450}}, false,
         {"Entry.", "RegCreateKeyEx rc = 0", "RegSetValueEx( tndrlChoice = Window ) rc = 0",
          "RegSetValueEx( mixedChoice = Window ) rc = 0",
          "RegSetValueEx( pdfChoice = DiscIndex ) rc = 1450",
          "RegSetValueEx( version = 0013 ) rc = 0", "rc = -5", "Exit."}},
        {"each write fails its own way",
         {{"TNDRLCHOICE", 1016}, {"PDFCHOICE", 1450}, {"VERSION", 1009}}, false,
         {"Entry.", "RegCreateKeyEx rc = 0", "RegSetValueEx( tndrlChoice = Window ) rc = 1016",
          "RegSetValueEx( mixedChoice = Window ) rc = 0",
          "RegSetValueEx( pdfChoice = DiscIndex ) rc = 1450",
          "RegSetValueEx( version = 0013 ) rc = 1009", "rc = -5", "Exit."}},
        {"the key cannot be made in a volatile key", {}, true,
         {"Entry.", "RegCreateKeyEx rc = 1021", "rc = -5", "Exit."}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        for (const auto& [name, rc] : row.failing) m().registry.failingWrites[name] = rc;
        if (row.keyInVolatileKey) m().registry.addKey("Software\\Zantic").isVolatile = true;
        AUtilities::openTraceFile();
        AUtilities::setTndrlChoice("Window");
        AUtilities::setMixedChoice("Window");
        AUtilities::setPDFChoice("DiscIndex");
        AUtilities::setRegistryKeys();
        EXPECT_EQ(traceOf("AUtilities::setRegistryKeys()"), row.trace);
    }
}

// The write test replaces an earlier run's "Date", longer than today's, by
// today's date alone, or leaves it as it was when the test fails.
TEST_F(Settings, WriteTest) {
    enum Fault { none, keyRefusesWrites, dateFails, keyInVolatileKey };
    struct Row {
        const char* what;
        Fault fault;
        std::string iDate, sDate;
        bool writeable;
        std::string date;
        std::vector<std::string> trace;
    };
    const Row rows[] = {
        {"month-day-year", none, "0", "/", true, "02/08/02",
         {"Entry.", "RegCreateKeyEx rc = 0", "RegSetValueEx() rc = 0", "bRC = true", "Exit."}},
        {"day-month-year with dots", none, "1", ".", true, "08.02.02", {}},
        {"year-month-day, first separator character", none, "2", "-/", true, "02-02-08", {}},
        {"unknown order", none, "7", "/", true, "02/08/02", {}},
        {"key refuses writes", keyRefusesWrites, "0", "/", false, "",
         {"Entry.", "RegCreateKeyEx rc = 5", "bRC = false", "Exit."}},
        {"the date write fails", dateFails, "0", "/", false, "",
         {"Entry.", "RegCreateKeyEx rc = 0", "RegSetValueEx() rc = 1450", "bRC = false", "Exit."}},
        {"the key cannot be made in a volatile key", keyInVolatileKey, "0", "/", false, "",
         {"Entry.", "RegCreateKeyEx rc = 1021", "bRC = false", "Exit."}},
    };
    const std::string earlier = "31.12.2001 (an earlier run)";
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().localeIDate = row.iDate;
        m().localeSDate = row.sDate;
        if (row.fault == keyInVolatileKey) {
            m().registry.addKey("Software\\Zantic").isVolatile = true;
        } else {
            m().registry.setString(settingsKey, "Date", earlier);
            m().registry.findKey(settingsKey)->refuseWrites = row.fault == keyRefusesWrites;
        }
        if (row.fault == dateFails) m().registry.failingWrites["DATE"] = 1450;
        AUtilities::openTraceFile();
        EXPECT_EQ(AUtilities::isRegistryWriteable(), row.writeable);
        const sim::Registry::Value* date = value("Date");
        if (row.fault == keyInVolatileKey) {
            EXPECT_EQ(m().registry.findKey(settingsKey), nullptr);
        } else {
            ASSERT_NE(date, nullptr);
            EXPECT_EQ(date->data, row.writeable ? row.date + std::string(1, '\0') : earlier);
        }
        if (!row.trace.empty()) {
            EXPECT_EQ(traceOf("AUtilities::isRegistryWriteable()"), row.trace);
        }
    }
}

// Saved choices are kept where a restart of the machine does not end them:
// the first run makes the settings key stable, and after a restart the next
// run carries out the choice saved before it.
TEST_F(Settings, SavedChoicesSurviveARestart) {
    const std::string browser = "C:\\WEB\\BROWSER.EXE";
    m().files.addFile("E:\\vmframe.htm");
    m().files.addFolder("E:\\shelves");
    m().files.addFile(browser);
    m().processes.associate(".htm", browser);
    m().registry.addKey("Software");
    // The user picks the kit index for Tandrel discs and finishes.
    sim::input::later([] {
        const auto click = [](unsigned long n) { sim::input::click(sim::input::control(15000 + n)); };
        click(11);  // the kit index, on the Tandrel panel
        for (int panel = 0; panel < 3; ++panel) click(4);  // Next, Next, Finish
    });
    EXPECT_EQ(run({"E:\\autorun.exe"}), 0);
    ASSERT_NE(value("TndrlChoice"), nullptr);

    AUtilities::resetState();
    m().registry.restart();
    m().processes.starts.clear();
    EXPECT_EQ(run({"E:\\autorun.exe", "/p"}), 0);
    std::vector<std::string> started;
    for (const sim::Processes::Start& s : m().processes.starts) started.push_back(s.commandLine);
    EXPECT_EQ(started, std::vector<std::string>{browser + " E:\\vmframe.htm"});
    EXPECT_EQ(AUtilities::tndrlChoice(), "KitIndex");
}

}  // namespace
