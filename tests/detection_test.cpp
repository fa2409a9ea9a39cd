// Detection of the Java runtime and of the reader.
#include "support.h"

namespace {

using test::Fixture;

const char javaKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\javaw.exe";
const char readerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\pvnshelves.jar";
const char versionsKey[] = "Software\\Zantic\\Zantic Velmora Reader";

class Detection : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        AUtilities::openTraceFile();
    }
    void installReader(const std::string& path) {
        m().registry.setString(readerKey, "Path", path);
        m().files.addFile("C:\\Program Files\\Zantic Reader\\sys\\pvns");
        m().files.setShortName("C:\\Program Files", "PROGRA~1");
        m().files.setShortName("C:\\Program Files\\Zantic Reader", "ZANTIC~1");
    }
};

TEST_F(Detection, Java) {
    const std::string javaw = "C:\\Program Files\\Java\\bin\\javaw.exe";
    const std::string longJavaw = "C:\\" + std::string(1000, 'j') + "\\javaw.exe";
    // The App Paths entry: none, its default value, only another value, or
    // one that the user may not read.
    enum Entry { noKey, defaultValue, otherValue, unreadable };
    struct Row {
        const char* what;
        Entry entry;
        std::string stored;
        bool installed;
        std::string executable;
        std::string openRc, queryRc;  // queryRc "": not read
    };
    const Row rows[] = {
        {"no App Paths key", noKey, "", false, "", "2", ""},
        {"installed", defaultValue, javaw, true, "C:\\PROGRA~1\\Java\\bin\\javaw.exe", "0", "0"},
        {"quoted path counts as absent", defaultValue, "\"" + javaw + "\"", false, "", "0", "0"},
        {"no such file", defaultValue, "C:\\Java\\javaw.exe", false, "", "0", "0"},
        {"value too long for the buffer", defaultValue, std::string(1025, 'x'), false, "", "0",
         "234"},
        {"short form does not fit: the path as read", defaultValue, longJavaw, true, longJavaw, "0",
         "0"},
        {"no default value", otherValue, javaw, false, "", "0", "2"},
        {"the key refuses the user reading", unreadable, javaw, false, "", "5", ""},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile(javaw);
        m().files.addFile(longJavaw);
        m().files.setShortName("C:\\Program Files", "PROGRA~1");
        if (row.entry != noKey)
            m().registry.setString(javaKey, row.entry == otherValue ? "Path" : "", row.stored);
        if (row.entry == unreadable) {
            m().registry.limitedUser = true;
            m().registry.findKey(javaKey)->usersAccess = 0;
        }
        EXPECT_EQ(AUtilities::findJava(), row.installed);
        EXPECT_EQ(AUtilities::isJavaInstalled(), row.installed);
        EXPECT_EQ(AUtilities::javaExecutable(), row.executable);
        std::vector<std::string> trace = {"Entry.", "RegOpenKeyEx rc = " + row.openRc};
        if (!row.queryRc.empty()) trace.push_back("RegQueryValueEx for Javaw.exe rc = " + row.queryRc);
        trace.push_back(std::string("isJavaInstalled = ") + (row.installed ? "true" : "false"));
        trace.push_back("Exit.");
        EXPECT_EQ(traceOf("AUtilities::findJava()"), trace);
    }
}

TEST_F(Detection, ReaderFolder) {
    struct Row {
        const char* what;
        std::string path;
        std::string jarTested;
        bool installed;
        std::string vlrPath;
    };
    const std::string folder = "C:\\Program Files\\Zantic Reader";
    const Row rows[] = {
        {"the folder that holds sys", folder, folder + "\\sys\\pvns", true,
         "C:\\PROGRA~1\\ZANTIC~1\\sys"},
        {"quoted like unquoted", "\"\"" + folder + "\"", folder + "\\sys\\pvns", true,
         "C:\\PROGRA~1\\ZANTIC~1\\sys"},
        {"the sys folder itself: SYS", folder + "\\SYS", folder + "\\SYS\\pvns", true,
         "C:\\PROGRA~1\\ZANTIC~1\\SYS"},
        {"the sys folder itself: sys", folder + "\\sys", folder + "\\sys\\pvns", true,
         "C:\\PROGRA~1\\ZANTIC~1\\sys"},
        {"the sys folder itself: Sys", folder + "\\Sys", folder + "\\Sys\\pvns", true,
         "C:\\PROGRA~1\\ZANTIC~1\\Sys"},
        {"C:\\Reader", "C:\\Reader", "C:\\Reader\\sys\\pvns", false, ""},
        {"C:\\Reader\\SYS", "C:\\Reader\\SYS", "C:\\Reader\\SYS\\pvns", false, ""},
        {"shorter than three characters", "C:", "C:\\sys\\pvns", false, ""},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        installReader(row.path);
        EXPECT_EQ(AUtilities::findVLR(), row.installed);
        EXPECT_EQ(AUtilities::vlrPath(), row.vlrPath);
        EXPECT_EQ(AUtilities::vlrParms(), "-s -u ");
        EXPECT_EQ(AUtilities::vlrVersion(), "");
        EXPECT_EQ(m().files.accessed.at(0), row.jarTested);
        if (!row.installed) {
            EXPECT_TRUE(traced("AUtilities::findVLR() VLR jarFile \"" + row.jarTested +
                               "\" not found."));
            // The version key is not even opened.
            EXPECT_EQ(m().registry.handedOut.size(), 1u);
        }
    }
}

TEST_F(Detection, ReaderShortPathFailingStoresTheFolderTested) {
    const std::string folder = "C:\\" + std::string(1100, 'r');
    m().registry.setString(readerKey, "Path", "\"" + folder + "\"");
    m().files.addFile(folder + "\\sys\\pvns");
    EXPECT_FALSE(AUtilities::findVLR());  // the value does not fit: absent
    nextRow("a path that fits");
    const std::string shorter = "C:\\" + std::string(1015, 'r');
    m().registry.setString(readerKey, "Path", "\"" + shorter + "\"");
    m().files.addFile(shorter + "\\sys\\pvns");
    EXPECT_TRUE(AUtilities::findVLR());
    EXPECT_EQ(AUtilities::vlrPath(), shorter + "\\sys");
}

TEST_F(Detection, ReaderVersion) {
    struct Row {
        const char* what;
        bool versionKey;
        std::vector<std::string> subKeys;
        std::string version;
        std::string parms;
    };
    const Row rows[] = {
        {"2.3.4, 2.3.5 and Settings", true, {"2.3.4", "2.3.5", "Settings"}, "2.3.5", "-A "},
        {"text order: 2.10.0 is lower", true, {"2.3.4", "2.10.0"}, "2.3.4", "-s -u "},
        {"2.3.5.1", true, {"2.3.5.1"}, "2.3.5.1", "-A "},
        {"2.3", true, {"2.3"}, "2.3", "-s -u "},
        {"no name begins with a digit", true, {"Settings", "v3"}, "", "-s -u "},
        {"no sub-keys", true, {}, "", "-s -u "},
        {"no version key", false, {}, "", "-s -u "},
        {"a name too long ends the list", true, {"2.3.4", "2" + std::string(1100, '9')}, "2.3.4",
         "-s -u "},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        installReader("C:\\Program Files\\Zantic Reader");
        if (row.versionKey) m().registry.addKey(versionsKey);
        for (const std::string& name : row.subKeys)
            m().registry.addKey(std::string(versionsKey) + "\\" + name);
        EXPECT_TRUE(AUtilities::findVLR());
        EXPECT_EQ(AUtilities::vlrVersion(), row.version);
        EXPECT_EQ(AUtilities::vlrParms(), row.parms);
    }
}

// Each registry call's trace line carries that call's own answer, which
// differs from the answers of the calls around it.
TEST_F(Detection, ReaderTrace) {
    const std::string versionsOpen = "RegOpenKeyEx for Software\\Zantic\\Zantic Velmora Reader rc = ";
    enum Fault { none, pathKeyUnreadable, noPathValue, versionsUnreadable };
    struct Row {
        const char* what;
        Fault fault;
        std::vector<std::string> versions;  // sub-keys of the versions key
        std::vector<std::string> trace;
    };
    const Row rows[] = {
        {"2.3.4 and 2.10.0", none, {"2.3.4", "2.10.0"},
         {"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 0", "RegQueryValueEx rc = 0",
          "Initialize the vlrParms and vlrVersion...", versionsOpen + "0",
          "RegEnumKeyEx rc = 0, data = 2.10.0", "RegEnumKeyEx rc = 0, data = 2.3.4",
          "RegEnumKeyEx rc = 259, data = 2.3.4", "isVLRInstalled = true", "Exit."}},
        // A first call that fails traces an empty name.
        {"no version sub-keys", none, {},
         {"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 0", "RegQueryValueEx rc = 0",
          "Initialize the vlrParms and vlrVersion...", versionsOpen + "0",
          "RegEnumKeyEx rc = 259, data = ", "isVLRInstalled = true", "Exit."}},
        {"an enumeration that fails part-way", none, {"2.3.4", "2" + std::string(1100, '9')},
         {"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 0", "RegQueryValueEx rc = 0",
          "Initialize the vlrParms and vlrVersion...", versionsOpen + "0",
          "RegEnumKeyEx rc = 0, data = 2.3.4", "RegEnumKeyEx rc = 234, data = 2.3.4",
          "isVLRInstalled = true", "Exit."}},
        {"the versions key refuses the user reading", versionsUnreadable, {"2.3.4"},
         {"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 0", "RegQueryValueEx rc = 0",
          "Initialize the vlrParms and vlrVersion...", versionsOpen + "5", "isVLRInstalled = true",
          "Exit."}},
        {"no Path value", noPathValue, {"2.3.4"},
         {"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 0", "RegQueryValueEx rc = 2",
          "Initialize the vlrParms and vlrVersion...", "isVLRInstalled = false", "Exit."}},
        {"the App Paths key refuses the user reading", pathKeyUnreadable, {"2.3.4"},
         {"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 5",
          "Initialize the vlrParms and vlrVersion...", "isVLRInstalled = false", "Exit."}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        installReader("C:\\Program Files\\Zantic Reader");
        m().registry.addKey(versionsKey);
        for (const std::string& name : row.versions)
            m().registry.addKey(std::string(versionsKey) + "\\" + name);
        m().registry.limitedUser = row.fault == pathKeyUnreadable || row.fault == versionsUnreadable;
        if (row.fault == pathKeyUnreadable) m().registry.findKey(readerKey)->usersAccess = 0;
        if (row.fault == versionsUnreadable) m().registry.findKey(versionsKey)->usersAccess = 0;
        if (row.fault == noPathValue) {
            m().registry.findKey(readerKey)->values.clear();
            m().registry.setString(readerKey, "", "C:\\Program Files\\Zantic Reader");
        }
        AUtilities::findVLR();
        EXPECT_EQ(traceOf("AUtilities::findVLR()"), row.trace);
    }
}

TEST_F(Detection, NothingInstalled) {
    EXPECT_FALSE(AUtilities::findVLR());
    EXPECT_EQ(traceOf("AUtilities::findVLR()"),
              (std::vector<std::string>{"Entry.", "RegOpenKeyEx for pvnshelves.jar rc = 2",
                                        "Initialize the vlrParms and vlrVersion...",
                                        "isVLRInstalled = false", "Exit."}));
    EXPECT_EQ(AUtilities::vlrParms(), "-s -u ");
}

}  // namespace
