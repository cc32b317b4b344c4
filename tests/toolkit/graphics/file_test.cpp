// Graphic files: the header layout, the refused headers, the old format values, saving and
// loading back, and the resources folder.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "tests/toolkit/fixture.h"
#include "tests/toolkit/graphics/printing.h"
#include "toolkit/graphics/graphicfile.h"
#include "util/files.h"

namespace zarvik::testing {
namespace {

Bytes header(int headerSize, int format, std::uint32_t size, int width, int height, int scales) {
    Bytes b = {std::uint8_t(headerSize), 'q', 'x', 'g', 'r', std::uint8_t(format)};
    for (const int shift : {24, 16, 8, 0}) {
        b.push_back(std::uint8_t(size >> shift));
    }
    for (const int value : {width, height}) {
        b.insert(b.end(), {std::uint8_t(value >> 8), std::uint8_t(value)});
    }
    b.insert(b.end(), {std::uint8_t(scales), 9});
    b.resize(std::size_t(std::max(headerSize, 16)), 0);
    return b;
}

Bytes truncated(Bytes bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

class GraphicFile : public ::testing::Test {
  protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("graphics-test-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string path(const char* name) const { return (folder / name).string(); }
};

TEST_F(GraphicFile, SavedScreenHeader) {
    g_Graphic g;
    g.Format = g_FormatRGBColor;
    g.Width = 640;
    g.Height = 400;
    g.Size = 256000;
    g.ScaleWidth = 1;
    g.ScaleHeight = 1;
    g.Data = {1, 2, 3};
    const auto bytes = graphicFileBytes(g);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, (Bytes{16, 'q', 'x', 'g', 'r', 3, 0x00, 0x03, 0xE8, 0x00, 0x02, 0x80, 0x01, 0x90, 0x11,
                             0, 1, 2, 3}));
}

TEST_F(GraphicFile, SaveAndLoadBack) {
    g_Graphic g;
    g.Format = g_FormatRLEPackedARGBColor + g_FormatLZW;
    g.Width = 65535;
    g.Height = 2;
    g.Size = 131070;
    g.ScaleWidth = 0;
    g.ScaleHeight = 15;
    g.Reserved = 200;
    g.Data = {9, 8, 7, 6};
    ASSERT_TRUE(g_SaveGraphic(path("a.gr"), g));
    CapturedOutput quiet;
    EXPECT_EQ(g_LoadGraphic(path("a.gr")), g);
}

// A longer header keeps its extra bytes out of the data.
TEST_F(GraphicFile, LongerHeader) {
    Bytes bytes = header(20, g_FormatGrey, 1, 1, 1, 0x11);
    bytes.push_back(77);
    const g_Graphic g = graphicFromFileBytes(bytes);
    EXPECT_EQ(g.HeaderSize, 20);
    EXPECT_EQ(g.Data, Bytes{77});
    EXPECT_EQ(graphicFileBytes(g)->size(), 21u);
}

Bytes bomb(int format, int width, int height) {
    Bytes b = header(16, format, 0, width, height, 0x11);
    b.insert(b.end(), {0, 0, 241, 0xFF, 0xFF, 0xFF, 0xFF, 7});
    return b;
}

// The largest image that fits the video memory still loads.
TEST_F(GraphicFile, ImagesUpToTheVideoMemoryLoad) {
    CapturedOutput out;
    const g_Graphic g = graphicFromFileBytes(bomb(g_FormatRLEGrey, 4096, 4096));
    EXPECT_EQ(g.Width, 4096);
    EXPECT_EQ(out.text(), "");
}

TEST_F(GraphicFile, RefusedFiles) {
    struct Case {
        const char* what;
        Bytes bytes;
        const char* line;
    };
    Bytes wrongMagic = header(16, 0, 0, 0, 0, 0);
    wrongMagic[4] = 'f';
    const Case cases[] = {
        {"empty", {}, "g_LoadGraphic: Could not load file"},
        {"shorter than its header", truncated(header(16, 0, 0, 0, 0, 0), 12),
         "g_LoadGraphic: Invalid header size"},
        {"header claims 40 bytes", truncated(header(40, 0, 0, 0, 0, 0), 30),
         "g_LoadGraphic: Invalid header size"},
        {"header too short for its fields",
         {5, 'q', 'x', 'g', 'r', 0, 0, 0},
         "g_LoadGraphic: Invalid header size"},
        {"header size 0", {0, 'q', 'x', 'g', 'r'}, "g_LoadGraphic: Invalid header size"},
        {"wrong magic", wrongMagic, "g_LoadGraphic: Invalid file type"},
        // A few coded bytes that would expand beyond the video memory are not expanded at all.
        {"LZW run-length bomb", bomb(g_FormatLZW + g_FormatRLERGBColor, 65535, 65535),
         "g_LoadGraphic: Could not load file"},
        {"packed bomb", bomb(g_FormatPackedARGBColor, 4097, 4096), "g_LoadGraphic: Could not load file"},
    };
    for (const Case& c : cases) {
        CapturedOutput out;
        EXPECT_EQ(graphicFromFileBytes(c.bytes), g_EmptyGraphic()) << c.what;
        EXPECT_EQ(out.lines(), std::vector<std::string>{c.line}) << c.what;
    }
}

TEST_F(GraphicFile, OldFormatsAreConverted) {
    for (const auto& [old, now] :
         {std::pair{200, g_FormatRLEPackedMonochrome}, {201, g_FormatRLEPackedIndexedColor}}) {
        CapturedOutput out;
        const g_Graphic g = graphicFromFileBytes(header(16, old, 4, 2, 2, 0x11));
        EXPECT_EQ(g.Format, now);
        EXPECT_EQ(out.lines(), std::vector<std::string>{"g_LoadGraphic: File converted from old format."});
    }
}

// Fields that do not fit their bytes would come back as another image: such a graphic is not written.
TEST_F(GraphicFile, FieldsThatDoNotFitAreNotSaved) {
    ASSERT_TRUE(setbinarytofile(path("keep.gr"), Bytes{1, 2, 3}) == 0);
    for (auto change : {+[](g_Graphic& g) { g.Width = 65536; }, +[](g_Graphic& g) { g.Height = -1; },
                        +[](g_Graphic& g) { g.Format = 300; }, +[](g_Graphic& g) { g.Size = 0x100000000; }}) {
        g_Graphic g;
        change(g);
        CapturedOutput out;
        EXPECT_FALSE(g_SaveGraphic(path("keep.gr"), g));
        EXPECT_EQ(out.lines(),
                  std::vector<std::string>{"g_SaveGraphic: Graphic does not fit the file format."});
    }
    EXPECT_EQ(getbinaryfromfile(path("keep.gr")), (Bytes{1, 2, 3})) << "the old file survives";

    g_Graphic shortHeader;
    shortHeader.HeaderSize = 4;
    EXPECT_EQ(graphicFileBytes(shortHeader)->size(), 16u);
}

TEST_F(GraphicFile, WriteFailureIsReported) {
    CapturedOutput quiet;
    EXPECT_FALSE(g_SaveGraphic(path("missing/folder/x.gr"), g_EmptyGraphic()));
}

class GraphicResource : public ToolkitTest {};

TEST_F(GraphicResource, MissingResourceNamesTheFile) {
    CapturedOutput out;
    EXPECT_EQ(g_LoadGraphicResource("Nichts.gr"), g_EmptyGraphic());
    const auto lines = out.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "g_LoadGraphicResource: Could not load file „Nichts.gr“");
}

}  // namespace
}  // namespace zarvik::testing
