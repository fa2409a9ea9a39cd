// The kit description file: its line rules and the kit title read from the disc.
#include "engine/KitDescription.h"

#include <algorithm>
#include <cstdint>

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

// The same text read in pieces of `piece` bytes.
KitDescription parseInPieces(const std::string& text, std::size_t piece) {
    KitDescriptionReader reader;
    for (std::size_t at = 0; at < text.size(); at += piece)
        reader.add(text.data() + at, std::min(piece, text.size() - at));
    return reader.finish();
}

// `pattern` repeated to exactly `size` characters.
std::string repeat(const std::string& pattern, std::size_t size) {
    std::string text;
    while (text.size() < size) text += pattern;
    text.resize(size);
    return text;
}

// A file's text and the title and edition date it gives.
struct LineRow {
    const char* what;
    std::string text;
    std::string title;
    std::string editionDate;
};

TEST(KitDescriptionLines, Rules) {
    const LineRow rows[] = {
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
        {"key: the edition key and one character more", "VAR EDITIONDATEX=D\n", "", ""},
        {"key: the edition key, a blank and one character more", "VAR EDITIONDATE X=D\n", "", ""},
        {"key: the edition key and two characters more", "VAR EDITIONDATEXY=D\n", "", ""},
        {"key: the edition key and a trailing run past its end", "VAR EDITIONDATE \t \t=D\n", "",
         "D"},
        {"key: the title key and one character more", "VAR KITTITLEX=T\n", "", ""},
        {"empty file", "", "", ""},
        {"binary bytes", std::string("\xff\x00\x01=\x80", 5), "", ""},
    };
    for (const LineRow& row : rows) {
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

// Of a kit title, a window title or a trace line shows at most its first
// 1,023 characters: those, and whether there are more, are the whole title's
// when it comes from values cut to what the reader keeps. Kit titles of 1,023
// and 1,024 characters, and values around the length kept, from either line.
TEST(KitDescriptionLines, KitTitleShowsAsTheWholeOne) {
    const std::size_t shown = 1023;
    struct Row {
        const char* what;
        std::size_t titleLength, editionDateLength;
    };
    const Row rows[] = {
        {"a title of 1,019: the kit title fits", 1019, 1},
        {"a title of 1,020: one past", 1020, 1},
        {"an edition date of 1,019: the kit title fits", 1, 1019},
        {"an edition date of 1,020: one past", 1, 1020},
        {"a title of 1,023", 1023, 1},
        {"a title of 1,024", 1024, 1},
        {"a title of 1,025", 1025, 1},
        {"an edition date of 1,025", 1, 1025},
        {"both of 1,025", 1025, 1025},
        {"both of 600", 600, 600},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string title = repeat("Dovrel-Kit/", row.titleLength);
        const std::string editionDate = repeat("May-2002/", row.editionDateLength);
        const std::string whole = title + " - " + editionDate;
        const std::string kitTitle = parse("VAR KITTITLE=" + title + "\nVAR EDITIONDATE=" +
                                           editionDate + "\n")
                                         .kitTitle();
        EXPECT_EQ(kitTitle.substr(0, shown), whole.substr(0, shown));
        EXPECT_EQ(kitTitle.size() > shown, whole.size() > shown) << kitTitle.size();
    }
}

// A run far longer than what is kept of a key or a value, in every place of a
// line where it matters, read whole and in pieces of several sizes (pieces of
// one byte end at every place).
TEST(KitDescriptionLines, LongRunsAnywhereInALine) {
    const std::size_t kept = KitDescriptionReader::keptValueLength;
    const std::size_t n = 70000;  // longer than one read of the file
    const std::string title = "VAR KITTITLE=";
    const std::string x(kept, 'x');
    const std::string fewerX(1000, 'x');
    const LineRow rows[] = {
        {"key: leading white space", repeat(" \t", n) + title + "T", "T", ""},
        {"key: trailing white space", "VAR KITTITLE" + repeat("\t ", n) + "=T", "T", ""},
        {"key: white space inside", "VAR" + repeat(" ", n) + "KITTITLE=T", "", ""},
        {"key: a trailing run that turns inside", "VAR EDITIONDATE" + repeat(" ", n) + "X=D", "",
         ""},
        {"key: a long key that begins with a wanted one",
         "VAR EDITIONDATE" + repeat("X", n) + "=D", "", ""},
        {"a long line without =, then a line", repeat("x", n) + "\n" + title + "T", "T", ""},
        {"value: the leading run", title + repeat(" \";", n) + "T", "T", ""},
        {"value: runs of blanks and of semicolons at its ends",
         "VAR EDITIONDATE=" + repeat(" ", n) + "May 2002" + repeat(";", n) + "\n", "", "May 2002"},
        {"value: a trailing run that turns inside comes back in order",
         title + "T" + repeat(" ;\"", n) + "U", "T" + repeat(" ;\"", kept - 1), ""},
        {"value: a trailing run that turns inside before the bound",
         title + fewerX + repeat(";\" ", n) + "U", fewerX + repeat(";\" ", kept - fewerX.size()),
         ""},
        {"value: longer than the bound", title + repeat("x", n), x, ""},
        {"value: one short of the bound, then a run that turns inside",
         title + x.substr(1) + repeat(";", n) + "y", x.substr(1) + ";", ""},
        {"value: the bound, then a run that turns inside", title + x + repeat(";", n) + "y", x, ""},
        {"value: the bound, then a trailing run", title + x + repeat(";", n) + "\n", x, ""},
        {"value: carriage returns in a run are dropped", title + "T" + repeat(";\r", n) + "U",
         "T" + repeat(";", kept - 1), ""},
        {"value: a final Ctrl-Z after a trailing run", title + "T" + repeat(";", n) + "\x1A", "T",
         ""},
        {"value: a Ctrl-Z not last turns the run inside", title + "T" + repeat(";", n) + "\x1A;",
         "T" + repeat(";", kept - 1), ""},
        {"value: a zero byte in a trailing run ends the text",
         title + "T" + repeat(";", n) + std::string("\0U", 2), "T", ""},
        {"the last line wins after a long one", title + repeat("x", n) + "\n" + title + "T", "T",
         ""},
        {"an empty last value after a long one",
         title + "T\n" + title + repeat(" ;\"", n) + "\n", "", ""},
    };
    for (const LineRow& row : rows) {
        SCOPED_TRACE(row.what);
        for (const std::size_t piece : {row.text.size(), std::size_t(1), std::size_t(7),
                                        std::size_t(64 * 1024)}) {
            const KitDescription kit = parseInPieces(row.text, piece);
            EXPECT_EQ(kit.title, row.title) << "pieces of " << piece << " bytes";
            EXPECT_EQ(kit.editionDate, row.editionDate) << "pieces of " << piece << " bytes";
        }
    }
}

// A line of 20 MiB, read in pieces as the file is: what the reader holds stays
// small throughout, while every part of the line is far longer than that.
TEST(KitDescriptionLines, HoldsABoundedPartOfAnyLine) {
    const std::size_t bound = 4 * 1024;
    const std::size_t pieces = 64;  // of 64 KiB: 4 MiB in each run
    KitDescriptionReader reader;
    const auto add = [&](const std::string& text) { reader.add(text.data(), text.size()); };
    const auto run = [&](char c) {
        const std::string text(64 * 1024, c);
        for (std::size_t i = 0; i < pieces; ++i) {
            add(text);
            ASSERT_LE(reader.heldBytes(), bound) << "run of '" << c << "', piece " << i;
        }
    };
    run(' ');
    add("VAR KITTITLE");
    run('\t');
    add("=");
    run(';');
    add("T");
    run('x');
    run('"');
    add("\nVAR EDITIONDATE=D");
    EXPECT_LE(reader.heldBytes(), bound);
    EXPECT_EQ(reader.finish().kitTitle(),
              "T" + std::string(KitDescriptionReader::keptValueLength - 1, 'x') + " - D");
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
    // A disc's files are read-only, as a CD reports them.
    m().files.find("E:\\autohtml\\autorun.js")->attributes |= os::FILE_ATTRIBUTE_READONLY;
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
        {"its folder, no file", [](sim::FileSystem& f) { f.addFolder("E:\\autohtml"); }},
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

// The file is read up to its first zero byte and no further than the size
// it had when it was opened, whatever its reads would go on to give: a
// device's end lies at 0, so nothing of it is read. The answer and the trace
// are those of any file that opens.
TEST_F(KitTitle, ReadsNoFurtherThanTheTextAndTheSizeAtOpen) {
    const std::string lines = "VAR KITTITLE=T\nVAR EDITIONDATE=D";
    const std::uint64_t piece = 64 * 1024;
    struct Row {
        const char* what;
        void (*arrange)(sim::FileSystem::Entry&);
        std::string kitTitle;
        std::uint64_t mostRead;  // the bytes read at most
    };
    const Row rows[] = {
        {"a device that yields zero bytes without end",
         [](sim::FileSystem::Entry& e) { e.device = true; }, "", 0},
        {"a device that yields other bytes without end",
         [](sim::FileSystem::Entry& e) {
             e.device = true;
             e.deviceByte = 'x';
         },
         "", 0},
        {"a file that grows as it is read: the bytes added are not read",
         [](sim::FileSystem::Entry& e) { e.appendedOnRead = "X\n"; }, "T - D", lines.size()},
        {"a file that grows: its last byte at open, a Ctrl-Z, is dropped",
         [](sim::FileSystem::Entry& e) {
             e.content += '\x1A';
             e.appendedOnRead = "E";
         },
         "T - D", lines.size() + 1},
        {"over 4 GiB, zero bytes after the text",
         [](sim::FileSystem::Entry& e) { e.sparseSize = (std::uint64_t(1) << 32) + 20; }, "T - D",
         lines.size() + piece},
        {"256 GiB that begin with a zero byte",
         [](sim::FileSystem::Entry& e) {
             e.content.insert(0, 1, '\0');
             e.sparseSize = std::uint64_t(256) << 30;
         },
         "", piece},
    };
    const std::string path = "E:\\autohtml\\autorun.js";
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile(path, lines);
        row.arrange(*m().files.find(path));
        EXPECT_TRUE(AUtilities::getKitTitle());
        EXPECT_EQ(AUtilities::kitTitle(), row.kitTitle);
        EXPECT_LE(m().files.find(path)->bytesRead, row.mostRead);
        EXPECT_EQ(traceOf("AUtilities::getKitTitle()"),
                  (std::vector<std::string>{"Entry.", "Initialize kit title to blank...",
                                            "Retrieving kit title from E:\\autohtml\\autorun.js...",
                                            "Exit."}));
    }
}

// Other programs may read the file at the same time (a virus scanner when
// the disc comes in), or even have it open for writing (a kit being made on
// a hard disc): the file is opened sharing both.
TEST_F(KitTitle, ReadWhileOtherProgramsHaveTheFileOpen) {
    const std::string path = "E:\\autohtml\\autorun.js";
    struct Row {
        const char* what;
        os::DWORD access, share;
    };
    const Row rows[] = {
        {"a reader that shares reading", os::GENERIC_READ, os::FILE_SHARE_READ},
        {"a writer that shares both", os::GENERIC_WRITE,
         os::FILE_SHARE_READ | os::FILE_SHARE_WRITE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        m().files.addFile(path, "VAR KITTITLE=T\nVAR EDITIONDATE=D\n");
        void* other = m().files.openByOtherProgram(path, row.access, row.share);
        ASSERT_NE(other, nullptr);
        EXPECT_TRUE(AUtilities::getKitTitle());
        EXPECT_EQ(AUtilities::kitTitle(), "T - D");
        m().files.close(other);
    }
}

// A read that fails part-way through the file (a scratched disc, a disc
// taken out) ends the text there: the lines read before it count, the
// answer is that of a file that opened, and the file is closed all the same
// (the fixture's end looks).
TEST_F(KitTitle, ReadFailingPartWayEndsTheText) {
    const std::size_t piece = 64 * 1024;
    const std::string titleLine = "var kitTitle = \"Dovrel\";\r\n";
    const std::string dateLine = "var editionDate = \"May 2002\";\r\n";
    const std::string filler = "//" + std::string(piece, 'x') + "\r\n";
    struct Row {
        const char* what;
        std::string text;
        unsigned failingRead;
        os::DWORD error;
        std::string kitTitle;
    };
    const Row rows[] = {
        {"the first read fails", titleLine + dateLine, 1, 23, ""},
        {"the second read fails after both lines", titleLine + dateLine + filler, 2, 23,
         "Dovrel - May 2002"},
        {"the second read fails before the edition line", titleLine + filler + dateLine, 2, 21,
         ""},
    };
    const std::string path = "E:\\autohtml\\autorun.js";
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile(path, row.text);
        m().files.find(path)->failingRead = row.failingRead;
        m().files.find(path)->failingReadError = row.error;
        EXPECT_TRUE(AUtilities::getKitTitle());
        EXPECT_EQ(AUtilities::kitTitle(), row.kitTitle);
        EXPECT_EQ(m().files.find(path)->reads, row.failingRead) << "no read after the failed one";
        EXPECT_EQ(traceOf("AUtilities::getKitTitle()").back(), "Exit.");
    }
}

TEST_F(KitTitle, EmptyFileGivesAnEmptyTitleAndTrue) {
    m().files.addFile("E:\\autohtml\\autorun.js", "");
    EXPECT_TRUE(AUtilities::getKitTitle());
    EXPECT_EQ(AUtilities::kitTitle(), "");
}

}  // namespace
