#pragma once
// Text output into a console window's text screen: printing with display modes, escape commands
// and control codes, the cursor, scrolling and clearing of the text area, colours and attributes,
// headers, line drawing and reading the screen back as text.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/host.h"  // t_Bell, which control code 7 rings
#include "toolkit/screen/font.h"
#include "toolkit/screen/palette.h"  // the colour setters

namespace zarvik {

// The output pause (Ctrl-S), checked at every carriage return and after every print. It reads the
// key queue, so the application layer installs it; until then printing never pauses.
void t_InstallOutputPause(void (*check)());

// Prints the Unicode scalars of UTF-8 text (invalid bytes count as U+FFFD and print "?").
void t_Print(std::uint8_t window, std::string_view text);
void t_Print(std::uint8_t window, std::span<const std::uint8_t> bytes);
void t_PrintChar(std::uint8_t window, std::uint8_t code);
void t_PrintControl(std::uint8_t window, std::uint8_t code);

struct t_DisplayResult {
    int Code = 0;            // code to print; -1 prints nothing, above 255 prints "?"
    bool Inverse = false;    // inverse flag to restore after printing
    std::uint8_t Color = 0;  // colour byte to restore after printing
};
t_DisplayResult t_ApplyDisplayMode(std::uint8_t window, int code);

void t_PrintTab(std::uint8_t window, int column, std::uint8_t fill);
void t_PrintSpc(std::uint8_t window, int count);
void t_Htab(std::uint8_t window, int column);
void t_Vtab(std::uint8_t window, int line);
int t_Vpos(std::uint8_t window);

void t_CursorHome(std::uint8_t window);
void t_CursorEnd(std::uint8_t window);
void t_CursorRight(std::uint8_t window);
void t_CursorLeft(std::uint8_t window);
void t_CursorDown(std::uint8_t window);
void t_CursorUp(std::uint8_t window);
void t_Cr(std::uint8_t window);
void t_ScrollUp(std::uint8_t window);
void t_ScrollDown(std::uint8_t window);
void t_ClearEndOfLine(std::uint8_t window);
void t_ClearEndOfWindow(std::uint8_t window);

void t_Inverse(std::uint8_t window);
void t_Normal(std::uint8_t window);
void t_Reverse(std::uint8_t window);
void t_DisplayMode(std::uint8_t window, int mode);
void t_RedirectOutput(std::uint8_t window, int target);
void t_Area(std::uint8_t window, int column1, int line1, int column2, int line2);
void t_FullArea(std::uint8_t window);
void t_InvertRect(std::uint8_t window, int column1, int line1, int column2, int line2);
void t_CursorDraw(std::uint8_t window);
void t_CursorOn(std::uint8_t window);
void t_CursorOff(std::uint8_t window);
void t_TextHline(std::uint8_t window, int column1, int column2, int line, std::uint8_t code);
void t_TextLine(std::uint8_t window);
void t_Header(std::uint8_t window, std::string_view left, std::string_view right);
void t_WindowFont(std::uint8_t window, const t_Font& font);
// The whole character plane as text, lines joined by carriage returns.
std::string t_GetScreen(std::uint8_t window, std::string_view separator);

}  // namespace zarvik
