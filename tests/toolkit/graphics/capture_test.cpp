// Capturing windows into images at every depth, the rectangle rules, and saving the front window
// through the save dialog.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "tests/toolkit/fixture.h"
#include "tests/toolkit/graphics/printing.h"
#include "tests/toolkit/pngread.h"
#include "toolkit/graphics/graphiccapture.h"
#include "toolkit/graphics/graphicdraw.h"
#include "toolkit/graphics/graphicfile.h"
#include "toolkit/graphics/graphicpack.h"
#include "toolkit/graphics/pngfile.h"
#include "toolkit/screen/palette.h"
#include "toolkit/screen/pixels.h"

namespace zarvik::testing {
namespace {

constexpr std::uint32_t argb(int a, int r, int g, int b) {
    return t_ColorValue({std::uint8_t(a), std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
}

class Capture : public ToolkitTest {
  protected:
    void window(std::uint8_t number, int depth, int width = 32, int height = 32) {
        CapturedOutput quiet;
        t_InitWindow(number, depth, false, width, height, 0, 0, t_Font{}, true);
        ASSERT_TRUE(t_WindowRecord(number).Initialized);
    }
};

struct DepthCase {
    int depth;
    int format;
    std::uint32_t plotted;
    Bytes pixel;  // the captured bytes of the plotted pixel
    Bytes black;  // and of an untouched one
};

class CaptureDepths : public Capture, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(CaptureDepths, FormatAndBytes) {
    const DepthCase c = GetParam();
    window(0, c.depth);
    g_Plot(0, 9, 3, c.plotted);
    const g_Graphic g = g_GetScreenRect(0, 8, 3, 9, 3);
    EXPECT_EQ(g.Format, c.format);
    EXPECT_EQ(g.Width, 2);
    EXPECT_EQ(g.Height, 1);
    EXPECT_EQ(g.Size, 2);
    EXPECT_EQ(g.ScaleWidth, 1);
    EXPECT_EQ(g.ScaleHeight, 1);
    Bytes want = c.black;
    want.insert(want.end(), c.pixel.begin(), c.pixel.end());
    EXPECT_EQ(g.Data, want);

    // Drawing the capture somewhere else gives the same pixels back.
    g_Draw(0, g, 20, 10, 1, -1);
    EXPECT_EQ(g_Scrn(0, 21, 10), g_Scrn(0, 9, 3));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, CaptureDepths,
    ::testing::Values(DepthCase{1, g_FormatMonochrome, argb(255, 255, 255, 255), {15}, {0}},
                      DepthCase{4, g_FormatIndexedColor, t_ColorValue(t_PaletteColor(12)), {12}, {0}},
                      DepthCase{8, g_FormatGrey, argb(255, 30, 60, 90), {60}, {0}},
                      DepthCase{16, g_FormatAGrey, argb(40, 30, 60, 90), {40, 60}, {0, 0}},
                      DepthCase{24, g_FormatRGBColor, argb(255, 1, 2, 3), {1, 2, 3}, {0, 0, 0}},
                      DepthCase{32, g_FormatARGBColor, argb(7, 1, 2, 3), {7, 1, 2, 3}, {255, 0, 0, 0}}));

TEST_F(Capture, RectangleIsCutToTheWindow) {
    window(0, 8);
    const g_Graphic g = g_GetScreenRect(0, 30, 30, 500, 900);
    EXPECT_EQ(g.Width, 2);
    EXPECT_EQ(g.Height, 2);
    EXPECT_EQ(g.Data.size(), 4u);
    EXPECT_EQ(g_GetScreen(0).Width, 32);
    EXPECT_EQ(g_GetScreen(0).Data.size(), 32u * 32);
}

TEST_F(Capture, RefusedRectanglesAndWindows) {
    window(0, 8);
    struct Case {
        std::uint8_t window;
        int x1, y1, x2, y2;
        const char* line;
    };
    const Case cases[] = {
        {0, 40, 0, 50, 5, "g_GetScreenRect: Illegal x-value"},  // x1 beyond the cut x2
        {0, -1, 0, 5, 5, "g_GetScreenRect: Illegal x-value"},
        {0, 5, 0, 4, 5, "g_GetScreenRect: Illegal x-value"},
        {0, 0, 32, 5, 40, "g_GetScreenRect: Illegal y-value"},
        {0, 0, -2, 5, 5, "g_GetScreenRect: Illegal y-value"},
        {8, 0, 0, 1, 1, "g_GetScreenRect: Window is not a graphic window."},
        {2, 0, 0, 1, 1, "g_GetScreenRect: Graphic window #2 not initialized."},
    };
    for (const Case& c : cases) {
        CapturedOutput out;
        EXPECT_EQ(g_GetScreenRect(c.window, c.x1, c.y1, c.x2, c.y2), g_EmptyGraphic()) << c.line;
        EXPECT_EQ(out.lines(), std::vector<std::string>{c.line});
    }
    for (const auto& [number, line] :
         {std::pair<std::uint8_t, std::string>{9, "g_GetScreen: Window is not a graphic window."},
          {5, "g_GetScreen: Graphic window #5 not initialized."}}) {
        CapturedOutput out;
        EXPECT_EQ(g_GetScreen(number), g_EmptyGraphic());
        EXPECT_EQ(out.lines(), std::vector<std::string>{line});
    }
}

class SaveScreen : public Capture {
  protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("graphics-save-" + std::to_string(::getpid()));
    void SetUp() override {
        Capture::SetUp();
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(SaveScreen, FrontWindowGoesToTheChosenFile) {
    window(0, 24);
    window(1, 32, 40, 32);
    for (int x = 0; x < 40; ++x) {
        g_Plot(1, x, x % 20, argb(255, x * 6, 10, 200));
    }
    testHost().setKeyWindow(1);
    const std::string path = (folder / "Bild.gr").string();
    testHost().pushSaveAnswer(path);
    CapturedOutput quiet;
    g_SaveScreenAs();
    testHost().setKeyWindow(255);

    const auto requests = testHost().saveRequests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().title, "Grafik sichern unter");
    EXPECT_EQ(requests.back().message, "Grafik sichern unter");
    EXPECT_EQ(requests.back().fileTypes, (std::vector<std::string>{"png", "gr"}));
    EXPECT_EQ(requests.back().proposedName, testHost().applicationName() + "-Grafik.png");

    const g_Graphic saved = g_LoadGraphic(path);
    EXPECT_EQ(saved.Format, g_FormatLZW + g_FormatRLEPackedARGBColor);
    EXPECT_EQ(g_UnPack(g_DecompressRLE(g_DecompressLZW(saved))), g_GetScreen(1));
}

TEST_F(SaveScreen, PngNameWritesWhatAViewerShows) {
    window(1, 32, 40, 24);
    for (int x = 0; x < 40; ++x) {
        g_Plot(1, x, x % 24, argb(255, x * 6, 10, 200));
    }
    testHost().setKeyWindow(1);
    for (const char* name : {"Bild.png", "BILD.PNG"}) {
        SCOPED_TRACE(name);
        const std::string path = (folder / name).string();
        testHost().pushSaveAnswer(path);
        {
            CapturedOutput quiet;
            g_SaveScreenAs();
        }
        const std::optional<PngPicture> png = readPNG(path);
        ASSERT_TRUE(png.has_value());
        ASSERT_EQ(png->width, t_WindowRecord(1).Width);
        ASSERT_EQ(png->height, t_WindowRecord(1).Height);
        EXPECT_EQ(png->rgb, g_ScreenRGB(1));
        EXPECT_EQ(png->rgb[3 * (5 * 40 + 5)], 30);  // the plotted red of x = 5
        EXPECT_EQ(png->rgb[3 * (5 * 40 + 5) + 2], 200);
    }
    testHost().setKeyWindow(255);
}

TEST(PngFile, RefusesWrongSizesAndKeepsTheOldFileWhenItCannotWrite) {
    const std::string folder = ::testing::TempDir();
    const std::string path = folder + "graphics-png-" + std::to_string(::getpid()) + ".png";
    const std::vector<std::uint8_t> pixel{1, 2, 3};
    EXPECT_FALSE(g_WritePNG(path, 2, 1, pixel));
    EXPECT_FALSE(g_WritePNG(path, 0, 0, {}));
    EXPECT_FALSE(g_WritePNG(path, -1, -3, pixel));
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(g_WritePNG(path, 1, 1, pixel));
    EXPECT_EQ(readPNG(path)->rgb, pixel);
    EXPECT_FALSE(g_WritePNG(folder + "no-such-folder/x.png", 1, 1, pixel));
    EXPECT_TRUE(g_IsPNGName("a.Png"));
    EXPECT_FALSE(g_IsPNGName("png"));
    EXPECT_FALSE(g_IsPNGName("a.png.gr"));
    std::filesystem::remove(path);
}

TEST_F(SaveScreen, FailedWriteIsToldWithFileAndReason) {
    window(0, 8);
    const std::filesystem::path locked = folder / "gesperrt";
    std::filesystem::create_directories(locked);
    std::filesystem::permissions(locked,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    struct Case {
        std::string path;
        const char* reason;
    };
    std::vector<Case> cases{
        {(folder / "fehlt" / "Bild.gr").string(), "Datei oder Ordner nicht gefunden"},
        {(folder / "fehlt" / "Bild.png").string(), "Datei oder Ordner nicht gefunden"},
        {(folder / "datei" / "Bild.png").string(), "Ein Teil des Pfades ist kein Ordner"}};
    std::ofstream(folder / "datei") << "x";
    if (::geteuid() != 0) {  // root writes into a read-only folder
        cases.push_back({(locked / "Bild.gr").string(), "Keine Zugriffsberechtigung"});
        cases.push_back({(locked / "Bild.png").string(), "Keine Zugriffsberechtigung"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::size_t before = testHost().messages().size();
        testHost().pushSaveAnswer(c.path);
        {
            CapturedOutput quiet;
            g_SaveScreenAs();
        }
        const std::vector<std::string> messages = testHost().messages();
        ASSERT_EQ(messages.size(), before + 1);
        EXPECT_EQ(messages.back(), "Die Grafik konnte nicht gesichert werden.\n" + c.path + "\n" + c.reason);
        EXPECT_FALSE(std::filesystem::exists(c.path));
    }
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

TEST_F(SaveScreen, CancelledDialogWritesNothing) {
    window(0, 8);
    CapturedOutput quiet;
    g_SaveScreenAs();  // no answer queued: cancelled
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
}  // namespace zarvik::testing
