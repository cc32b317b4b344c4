#pragma once
// Line input inside a console window: a form that edits a field until Return or Escape, the
// editing keys one at a time, the input modes that filter characters, and one-key questions.
// Characters above 255 travel through the pasteboard as ESC, four hexadecimal digits and GS.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/app/events.h"

namespace zarvik {

std::string t_InputForm(std::uint8_t window, std::string_view prompt, std::string_view initial, bool noEdit,
                        int mode, int maxCharacters);
// The editing half of t_InputForm, for a field that t_InputForm set up with noEdit: keys edit it
// until Return or Escape end the line (true, the cursor then on the next line), or until
// `interrupt` holds while no key is waiting (false: the field stays open, call again to go on).
bool t_InputFormEdit(std::uint8_t window, const std::function<bool()>& interrupt);
void t_InputEdit(std::uint8_t window, int key);
void t_InputInsert(std::uint8_t window, int code);
bool t_AskYesNo(std::uint8_t window, std::string_view opening, char32_t firstKey, std::string_view separator,
                char32_t secondKey, bool firstIsDefault, std::string_view closing, bool echo);
// The same question, given up (nothing, no echo) as soon as `interrupt` holds while no key waits.
std::optional<bool> t_AskYesNoUnless(std::uint8_t window, std::string_view opening, char32_t firstKey,
                                     std::string_view separator, char32_t secondKey, bool firstIsDefault,
                                     std::string_view closing, bool echo,
                                     const std::function<bool()>& interrupt);

// The encodings of the pasteboard keys: every character above 255 as ESC hhhh GS (low 16 bits,
// upper-case digits), and back (a surrogate code gives U+0000).
std::u32string t_EncodeEscapes(std::u32string_view text);
std::string t_DecodeEscapes(std::u32string_view text);

// Longest first line of the pasteboard that Ctrl-V takes, in characters.
inline constexpr std::size_t t_PasteLimit = 4096;

}  // namespace zarvik
