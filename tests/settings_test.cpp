// The settings in the registry: the write test, reading and writing back.
#include <map>

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

TEST_F(Settings, ReadTrace) {
    m().registry.setString(settingsKey, "pdfchoice", "Nothing");
    AUtilities::openTraceFile();
    AUtilities::getRegistryKeys();
    EXPECT_EQ(traceOf("AUtilities::getRegistryKeys()"),
              (std::vector<std::string>{"Entry.",
                                        "Setting default choices before reading the registry...",
                                        "RegOpenKeyEx rc = 0", "RegQueryValueEx( Version ) rc = 2",
                                        "RegQueryValueEx( TndrlChoice ) rc = 2",
                                        "RegQueryValueEx( MixedChoice ) rc = 2",
                                        "RegQueryValueEx( PdfChoice ) rc = 0", "Exit."}));
    EXPECT_EQ(traceOf("AUtilities::setPDFChoice()"),
              (std::vector<std::string>{"set to \"Window\"", "set to \"Nothing\""}));
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

TEST_F(Settings, WriteBackStatus) {
    struct Row {
        const char* what;
        bool keyRefusesWrites;
        const char* failingValue;  // upper case
        int rc;
    };
    const Row rows[] = {
        {"all written", false, nullptr, 0},
        {"only Version fails", false, "VERSION", 0},
        {"a choice fails", false, "MIXEDCHOICE", -5},
        {"the key cannot be written", true, nullptr, -5},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().registry.addKey(settingsKey).refuseWrites = row.keyRefusesWrites;
        if (row.failingValue) m().registry.failingWrites[row.failingValue] = 1450;
        AUtilities::setTndrlChoice("VLR");
        AUtilities::setMixedChoice("KitIndex");
        AUtilities::setPDFChoice("Nothing");
        EXPECT_EQ(AUtilities::setRegistryKeys(), row.rc);
        // Every write is tried, also after one failed.
        EXPECT_EQ(m().registry.writes.size(), row.keyRefusesWrites ? 0u : 4u);
        if (!row.keyRefusesWrites && !row.failingValue) {
            EXPECT_EQ(value("TndrlChoice")->data, std::string("VLR\0", 4));
            EXPECT_EQ(value("PDFChoice")->data, std::string("Nothing\0", 8));
        }
    }
}

TEST_F(Settings, WriteBackTrace) {
    m().registry.failingWrites["PDFCHOICE"] = 1450;
    AUtilities::openTraceFile();
    AUtilities::setTndrlChoice("Window");
    AUtilities::setMixedChoice("Window");
    AUtilities::setPDFChoice("DiscIndex");
    AUtilities::setRegistryKeys();
    EXPECT_EQ(traceOf("AUtilities::setRegistryKeys()"),
              (std::vector<std::string>{"Entry.", "RegCreateKeyEx rc = 0",
                                        "RegSetValueEx( tndrlChoice = Window ) rc = 0",
                                        "RegSetValueEx( mixedChoice = Window ) rc = 0",
                                        "RegSetValueEx( pdfChoice = DiscIndex ) rc = 1450",
                                        "RegSetValueEx( version = 0013 ) rc = 0", "rc = -5",
                                        "Exit."}));
}

TEST_F(Settings, WriteTest) {
    struct Row {
        const char* what;
        bool refuse;
        bool dateFails;
        std::string iDate, sDate;
        bool writeable;
        std::string date;
        std::vector<std::string> trace;
    };
    const Row rows[] = {
        {"month-day-year", false, false, "0", "/", true, "02/08/02",
         {"Entry.", "RegCreateKeyEx rc = 0", "RegSetValueEx() rc = 0", "bRC = true", "Exit."}},
        {"day-month-year with dots", false, false, "1", ".", true, "08.02.02", {}},
        {"year-month-day, first separator character", false, false, "2", "-/", true, "02-02-08", {}},
        {"unknown order", false, false, "7", "/", true, "02/08/02", {}},
        {"key refuses writes", true, false, "0", "/", false, "",
         {"Entry.", "RegCreateKeyEx rc = 5", "bRC = false", "Exit."}},
        {"the date write fails", false, true, "0", "/", false, "",
         {"Entry.", "RegCreateKeyEx rc = 0", "RegSetValueEx() rc = 1450", "bRC = false", "Exit."}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().localeIDate = row.iDate;
        m().localeSDate = row.sDate;
        if (row.refuse) m().registry.addKey(settingsKey).refuseWrites = true;
        if (row.dateFails) m().registry.failingWrites["DATE"] = 1450;
        AUtilities::openTraceFile();
        EXPECT_EQ(AUtilities::isRegistryWriteable(), row.writeable);
        const sim::Registry::Value* date = value("Date");
        if (row.writeable) {
            ASSERT_NE(date, nullptr);
            EXPECT_EQ(date->data.substr(0, row.date.size()), row.date);
        } else {
            EXPECT_EQ(date, nullptr);
        }
        if (!row.trace.empty()) {
            EXPECT_EQ(traceOf("AUtilities::isRegistryWriteable()"), row.trace);
        }
    }
}

}  // namespace
