// The program's message box: its cut of long texts and the exception details.
#include "gui/Exception.h"
#include "support.h"

// These tests hand long formats built at run time, as no caller of the
// program does, to see the cut.
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"

namespace {

using test::Fixture;
using Message = Fixture;

const std::string marker = "\n<truncated>";

TEST_F(Message, CutAt950Characters) {
    const std::string s950(950, 'a'), s951(951, 'b');
    struct Row {
        const char* what;
        std::function<void()> show;
        std::string expected;
    };
    const Row rows[] = {
        {"ready 950", [&] { AUtilities::showMessage(s950); }, s950},
        {"ready 951", [&] { AUtilities::showMessage(s951); }, s951.substr(0, 950) + marker},
        {"format 950", [&] { AUtilities::showMessage(s950.c_str()); }, s950},
        {"format 951", [&] { AUtilities::showMessage(s951.c_str()); }, s951.substr(0, 950) + marker},
        {"ready text with conversions", [] { AUtilities::showMessage(std::string("C:\\%s\\%d%")); },
         "C:\\%s\\%d%"},
        {"expansion over 1023",
         [] { AUtilities::showMessage("%s", std::string(2000, 'c').c_str()); },
         std::string(1023, 'c')},
        {"long format and long expansion",
         [] {
             AUtilities::showMessage((std::string(900, 'f') + "%s" + std::string(60, 'g')).c_str(),
                                     std::string(500, 'e').c_str());
         },
         std::string(900, 'f') + std::string(111, 'e') + marker},
        {"cut splits a conversion",
         [] { AUtilities::showMessage((std::string(949, 'g') + "%d").c_str(), 7); },
         std::string(949, 'g') + marker},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        m().boxes.clear();
        row.show();
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, row.expected);
        EXPECT_LE(m().boxes[0].text.size(), 1023u);
        EXPECT_EQ(m().boxes[0].title, "Autorun Message");
    }
}

TEST_F(Message, ExceptionDetails) {
    gui::Exception none("", 1406, "gui::ObjectWindow");
    none.addLocation("ObjectWindow.cpp", "ObjectWindow", 12);
    AUtilities::showExceptionMessage("Pelkos Message", none);

    gui::Exception two("first text", 7);
    two.addText("second %s text");
    two.addLocation("a.cpp", "inner", 1).addLocation("b.cpp", "outer", 2);
    AUtilities::showExceptionMessage("Pelkos Message", two);

    gui::Exception nowhere("only");
    AUtilities::showExceptionMessage("P", nowhere);

    ASSERT_EQ(m().boxes.size(), 3u);
    EXPECT_EQ(m().boxes[0].text,
              "Pelkos Message\nname: gui::ObjectWindow\nfunction name: ObjectWindow\n"
              "errorId: 1406\ntext: ");
    EXPECT_EQ(m().boxes[1].text,
              "Pelkos Message\nname: gui::Exception\nfunction name: outer\nerrorId: 7\n"
              "text: second %s text\nfirst text\n");
    EXPECT_EQ(m().boxes[2].text,
              "P\nname: gui::Exception\nfunction name: Unknown\nerrorId: 0\ntext: only\n");
}

}  // namespace
