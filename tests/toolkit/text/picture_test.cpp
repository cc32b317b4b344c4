// The picture check: an 80 x 25 text screen in the regular font, written to a PNG file beside the
// test binary (toolkit-picture.png) for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/toolkit/fixture.h"
#include "tests/toolkit/pngread.h"
#include "toolkit/graphics/pngfile.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::testing {
namespace {

using Picture = ToolkitTest;

TEST_F(Picture, HeaderRuleAndGermanText) {
    {
        CapturedOutput quiet;
        t_InitWindow(0, 24, 80, 25, 16, "MenloRegular 16x32.font");
    }
    ASSERT_TRUE(t_WindowRecord(0).Initialized);
    t_Header(0, "Zarvik Schach", "Spielverlauf");
    t_TextLine(0);
    t_Print(0, "Weiß am Zug. Größe, Übung, Äpfel, Öfen: äöü ÄÖÜ ß · 1.234,56\r");
    t_Print(0,
            "\033M"
            "Schach!"
            "\033L"
            " Der König steht im Schach.\r");
    t_Print(0,
            "\033I"
            "Züge: E2-E4 E7-E5 G1-F3 B8-C6\r\r");
    t_Print(0,
            "Rahmen: \u0086\u008c\u008c\u0087 Linien \u008a \u008b \u009d Kreuz \u0092\u0099\u009e "
            "Pfeile \u0082 \u0084 Block \u0081 \u007f\r");
    t_Print(0,
            "        \u0088\u008c\u008c\u0089 \u0093\u008d\u0094 \u0095\u008d\u0096 \u0085 \u0080 \u009f\r");
    t_TextLine(0);
    const std::string path = (std::filesystem::current_path() / "toolkit-picture.png").string();
    ASSERT_TRUE(testHost().writeWindowImage(0, path));
    const std::optional<PngPicture> png = readPNG(path);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->width, 1280);
    EXPECT_EQ(png->rgb, g_ScreenRGB(0));
    // Spot checks: the rule line under the header runs through the whole first cell of line 2.
    int ruleRows = 0;
    for (int y = 32; y < 64; ++y) {
        ruleRows += g_Scrn(0, 0, y) == g_Scrn(0, 15, y) && (g_Scrn(0, 0, y) >> 16 & 0xFF) == 255;
    }
    EXPECT_GE(ruleRows, 1);
}

}  // namespace
}  // namespace zarvik::testing
