// The kit description file: its line rules and the kit title read from the disc.
#include "engine/KitDescription.h"
#include "support.h"

namespace {

using test::Fixture;

KitDescription parse(const std::string& text) { return parseKitDescription(text.data(), text.size()); }

// The same text read in two pieces, cut after `cut` bytes.
KitDescription parseInTwo(const std::string& text, std::size_t cut) {
    KitDescriptionReader reader;
    reader.add(text.data(), cut);
    reader.add(text.data() + cut, text.size() - cut);
    return reader.finish();
}

TEST(KitDescriptionLines, Rules) {
    struct Row {
        const char* what;
        std::string text;
        std::string title;
        std::string editionDate;
    };
    const Row rows[] = {
        {"script lines, LF", "var kitTitle = \"Dovrel Kit\";\nvar editionDate = \"May 2002\";\n",
         "Dovrel Kit", "May 2002"},
        {"script lines, CR LF", "var kitTitle = \"Dovrel Kit\";\r\nvar editionDate = \"May 2002\";\r\n",
         "Dovrel Kit", "May 2002"},
        {"CR anywhere is dropped", "VAR KIT\rTITLE=A\rB\n", "AB", ""},
        {"no line feed at all", "VAR KITTITLE=Only", "Only", ""},
        {"key in any case, white space around", " \t vAr KiTtItLe \t= T\n", "T", ""},
        {"two blanks between VAR and the name", "VAR  KITTITLE=T\n", "", ""},
        {"a tab between VAR and the name", "VAR\tKITTITLE=T\n", "", ""},
        {"value: every blank, quote and semicolon at both ends", "VAR KITTITLE= ;\"\" T;x\"y ;\";;\n",
         "T;x\"y", ""},
        {"value: a tab stops the stripping", "VAR KITTITLE=\t\"T\";\n", "\t\"T", ""},
        {"value: a single quote stays", "VAR KITTITLE='T';\n", "'T'", ""},
        {"value: a comment after the semicolon stays", "VAR KITTITLE=\"T\"; // c\n",
         "T\"; // c", ""},
        {"further equals signs stay in the value", "VAR KITTITLE=a=b\n", "a=b", ""},
        {"a line that begins with = has an empty key", "=VAR KITTITLE=T\n", "", ""},
        {"the last line wins", "VAR KITTITLE=First\nVAR KITTITLE=Second\n", "Second", ""},
        {"the last line wins, also when empty", "VAR KITTITLE=First\nVAR KITTITLE=\n", "", ""},
        {"a zero byte ends the text", std::string("VAR KITTITLE=T\n\0VAR EDITIONDATE=D\n", 34),
         "T", ""},
        {"a final Ctrl-Z is dropped", "VAR KITTITLE=T\x1A", "T", ""},
        {"a Ctrl-Z elsewhere stays", "VAR KITTITLE=T\x1AU\n", "T\x1AU", ""},
        {"a Ctrl-Z before a final CR stays", "VAR KITTITLE=T\x1A\r", "T\x1A", ""},
        {"a Ctrl-Z before a zero byte stays", std::string("VAR KITTITLE=T\x1A\0\x1A", 17),
         "T\x1A", ""},
        {"empty file", "", "", ""},
        {"binary bytes", std::string("\xff\x00\x01=\x80", 5), "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const KitDescription kit = parse(row.text);
        EXPECT_EQ(kit.title, row.title);
        EXPECT_EQ(kit.editionDate, row.editionDate);
        // The file is read in pieces: wherever a piece ends, the result is the same.
        for (std::size_t cut = 0; cut <= row.text.size(); ++cut) {
            const KitDescription pieces = parseInTwo(row.text, cut);
            EXPECT_EQ(pieces.title, row.title) << "cut after " << cut << " bytes";
            EXPECT_EQ(pieces.editionDate, row.editionDate) << "cut after " << cut << " bytes";
        }
    }
}

TEST(KitDescriptionLines, KitTitleNeedsBothLines) {
    EXPECT_EQ(parse("VAR KITTITLE=T\nVAR EDITIONDATE=D").kitTitle(), "T - D");
    EXPECT_EQ(parse("VAR KITTITLE=T\n").kitTitle(), "");
    EXPECT_EQ(parse("VAR EDITIONDATE=D\n").kitTitle(), "");
}

TEST(KitDescriptionLines, LargeFileOfManyLinesIsReadInOnePass) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "var other = \"" + std::to_string(i) + "\";\r\n";
    text += "var kitTitle = \"Big\";\nvar editionDate = \"2002\";\n";
    text += std::string(3 << 20, 'x');  // a long last line without a line feed
    EXPECT_EQ(parse(text).kitTitle(), "Big - 2002");
}

class KitTitle : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        AUtilities::driveWithSlash = "E:\\";
        AUtilities::openTraceFile();
    }
};

TEST_F(KitTitle, ReadFromTheDiscRoot) {
    m().files.addFile("E:\\AUTOHTML\\Autorun.js",
                      "var kitTitle = \"Dovrel\";\r\nvar editionDate = \"May 2002\";\r\n\x1A");
    EXPECT_TRUE(AUtilities::getKitTitle());
    EXPECT_EQ(AUtilities::kitTitle(), "Dovrel - May 2002");
    EXPECT_EQ(traceOf("AUtilities::getKitTitle()"),
              (std::vector<std::string>{"Entry.", "Initialize kit title to blank...",
                                        "Retrieving kit title from E:\\autohtml\\autorun.js...",
                                        "Exit."}));
    EXPECT_EQ(traceOf("AUtilities::setKitTitle()"),
              (std::vector<std::string>{"set to \"\"", "set to \"Dovrel - May 2002\""}));
}

TEST_F(KitTitle, MissingOrUnreadableFileAnswersFalse) {
    struct Row {
        const char* what;
        void (*arrange)(sim::FileSystem&);
    };
    const Row rows[] = {
        {"no file", [](sim::FileSystem&) {}},
        {"a folder of that name", [](sim::FileSystem& f) { f.addFolder("E:\\autohtml\\autorun.js"); }},
        {"unreadable", [](sim::FileSystem& f) {
             f.addFile("E:\\autohtml\\autorun.js", "VAR KITTITLE=T\nVAR EDITIONDATE=D\n");
             f.find("E:\\autohtml\\autorun.js")->unreadable = true;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AUtilities::setKitTitle("stale");
        m().files.entries.erase(m().files.key("E:\\autohtml\\autorun.js"));
        row.arrange(m().files);
        EXPECT_FALSE(AUtilities::getKitTitle());
        EXPECT_EQ(AUtilities::kitTitle(), "");
        EXPECT_EQ(traceOf("AUtilities::getKitTitle()").back(), "Autorun.js file could not be opened");
    }
}

// Larger than one read: the title line straddles the end of the first piece,
// and the Ctrl-Z that ends the file comes alone in the last one.
TEST_F(KitTitle, FileOfManyReadsGivesTheSameTitle) {
    const std::size_t piece = 64 * 1024;
    const auto comment = [](std::size_t bytes) { return "//" + std::string(bytes - 4, 'x') + "\r\n"; };
    std::string text = comment(piece - 10);
    text += "var kitTitle = \"Dovrel\";\r\n";
    text += comment(2 * piece - 40 - text.size());
    text += "var editionDate = \"May 2002\"";
    text += std::string(2 * piece - text.size(), ';');
    text += '\x1A';
    m().files.addFile("E:\\autohtml\\autorun.js", text);
    EXPECT_TRUE(AUtilities::getKitTitle());
    EXPECT_EQ(AUtilities::kitTitle(), "Dovrel - May 2002");
}

TEST_F(KitTitle, EmptyFileGivesAnEmptyTitleAndTrue) {
    m().files.addFile("E:\\autohtml\\autorun.js", "");
    EXPECT_TRUE(AUtilities::getKitTitle());
    EXPECT_EQ(AUtilities::kitTitle(), "");
}

}  // namespace
