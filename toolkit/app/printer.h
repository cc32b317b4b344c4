#pragma once
// The three plain text windows: the virtual printer (9) with its ruler, buffer and update thread,
// the system console (10) and the pasteboard window (8). Every operation may be called from any
// thread; the host work runs on the main thread and the caller waits for it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zarvik {

void p_InitPrinter();
void p_SetRuler(std::string_view text);
void p_SetPrinter(std::string_view text);
void p_PrinterAutoUpdateProcess();
bool p_PrinterThreadRunning();

// Appends UTF-8 text to the printer buffer and marks it dirty; the update thread shows it.
void p_AppendPrinter(std::string_view text);
// The system console keeps this many lines; older ones are dropped.
inline constexpr std::size_t p_ConsoleLineLimit = 5000;

// Appends UTF-8 text to the system console buffer and shows the whole buffer in its view (its last
// p_ConsoleLineLimit lines).
void p_AppendConsole(std::string_view text);

// The menu commands: empty the buffer and the view. False (after the message and the bell)
// when the view is missing.
bool p_ClearPrinter();
bool p_ClearConsole();

// The printer buffer as text: UTF-8 when it is valid, else byte by byte with ESC hhhh GS
// sequences turned back into their character.
std::string p_DecodePrinterBuffer(std::span<const std::uint8_t> bytes);

}  // namespace zarvik
