#include <gtest/gtest.h>

#include <regex>

#include "util/paths.h"
#include "util/text.h"

namespace zarvik {
namespace {

TEST(Text, Spaces) {
    EXPECT_EQ(spacestring(0), "");
    EXPECT_EQ(spacestring(-3), "");
    EXPECT_EQ(spacestring(11), std::string(11, ' '));
    EXPECT_EQ(spacestring(32767).size(), 32767u);
    EXPECT_EQ(spacestring(32768), "");
}

TEST(Text, Centred) {
    EXPECT_EQ(centeredstring("  Matt  ", 10), "   Matt");
    EXPECT_EQ(centeredstring("\tRemis \t", 11), "   Remis");
    EXPECT_EQ(centeredstring("  zu lang  ", 3), "zu lang");
    EXPECT_EQ(centeredstring("Weiß", 8), "  Weiß");  // umlauts count as one character
    EXPECT_EQ(centeredstring("   ", 4), "  ");
}

TEST(Text, Justified) {
    EXPECT_EQ(justifiedstring("links", "rechts!", 20), "links        rechts!");
    EXPECT_EQ(justifiedstring("links", "rechts!", 10), "linksrecht");
    EXPECT_EQ(justifiedstring("links", "rechts!", 0), "");
    EXPECT_EQ(justifiedstring("Läufer", "Bär", 7), "LäuferB");
    EXPECT_EQ(justifiedstring("a", "b", 12), "a          b");
}

TEST(Text, Numbers) {
    struct Case {
        std::int64_t value;
        char fill;
        int width;
        bool grouping;
        const char* text;
    };
    const Case cases[] = {
        {1234567, ' ', 1, true, "1.234.567"},
        {7, '0', 2, false, "07"},
        {123, '0', 2, false, "123"},
        {-1234, ' ', 8, true, "  -1.234"},
        {0, ' ', 0, true, "0"},
        {999, ' ', 1, true, "999"},
        {1000, ' ', 1, true, "1.000"},
        {INT64_MIN, ' ', 1, false, "-9223372036854775808"},
        {INT64_MIN, ' ', 1, true, "-9.223.372.036.854.775.808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbertext(c.value, c.fill, c.width, c.grouping), c.text) << c.value;
    }
}

TEST(Text, DatesAndTimes) {
    EXPECT_EQ(datetimetext(2026, 12, 5, 9, 7, 3), "05.12.2026 09:07:03");
    EXPECT_EQ(datetimetext(999, 1, 31, 23, 59, 0), "31.01.0999 23:59:00");
    EXPECT_TRUE(std::regex_match(currentdatetimetext(), std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")));
}

TEST(Text, Ruler) {
    EXPECT_EQ(rulerstring(20, false, false), "....!....1....!....2");
    EXPECT_EQ(rulerstring(7, false, false), "....!..");
    EXPECT_EQ(rulerstring(0, false, true), "");
    EXPECT_EQ(rulerstring(1, false, true), "L");
    EXPECT_EQ(rulerstring(12, false, true), "L...!....1.R");
    const std::string printer = rulerstring(160, false, true);
    EXPECT_EQ(printer.size(), 160u);
    EXPECT_EQ(printer.substr(0, 20), "L...!....1....!....2");
    EXPECT_EQ(printer.substr(140), "....!....5....!....R");
    EXPECT_EQ(rulerstring(120, true, false).substr(90), "....!...10....!...11....!...12");
    // Full numbers at a multiple of ten: the number's first digit before "R" becomes a dot.
    EXPECT_EQ(rulerstring(110, true, true).substr(90), "....!...10....!....R");
    EXPECT_EQ(rulerstring(40000, false, false), "");
}

TEST(Paths, Components) {
    struct Case {
        const char* path;
        const char* name;
        const char* stem;
    };
    const Case cases[] = {
        {"/home/anna/Spiel.zarvik", "Spiel.zarvik", "Spiel"},
        {"Spiel.zarvik", "Spiel.zarvik", "Spiel"},
        {"/home/anna/", "", ""},
        {"/a/archiv.tar.gz", "archiv.tar.gz", "archiv.tar"},
        {"/a/.profile", ".profile", ".profile"},
        {"/a/ohne", "ohne", "ohne"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(filenameofpath(c.path), c.name) << c.path;
        EXPECT_EQ(filenamewithoutextension(c.path), c.stem) << c.path;
    }
}

TEST(Paths, FileUrls) {
    EXPECT_EQ(fileurltopath("file:///home/anna/Mein%20Spiel.zarvik"), "/home/anna/Mein Spiel.zarvik");
    EXPECT_EQ(fileurltopath("file:///tmp/K%C3%B6nig.gr"), "/tmp/König.gr");
    EXPECT_EQ(fileurltopath("/tmp/100%"), "/tmp/100%");
    EXPECT_EQ(fileurltopath("/tmp/%zz%4"), "/tmp/%zz%4");
    // Decomposed letters, as some file systems and dialogs hand them out, come back precomposed.
    EXPECT_EQ(fileurltopath("file:///tmp/Ko%CC%88nig.gr"), "/tmp/K\u00F6nig.gr");
    EXPECT_EQ(fileurltopath("/tmp/La\u0308ufer \u212B"), "/tmp/L\u00E4ufer \u00C5");
    EXPECT_EQ(fileurltopath("file:///tmp/%FFo%CC%88"), "/tmp/\xFFo\xCC\x88") << "not UTF-8: kept";
}

}  // namespace
}  // namespace zarvik
