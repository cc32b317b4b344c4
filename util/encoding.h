#pragma once
// Text encodings: the one UTF-8 codec of the program, and the Mac OS Roman and Latin-1 conversions
// of the file readers.
#include <optional>
#include <string>
#include <string_view>

namespace zarvik {

// The scalar at `index`, which moves past it. A malformed sequence (overlong form, surrogate, value
// above U+10FFFF, truncated sequence, stray continuation byte) gives nothing and moves one byte on.
std::optional<char32_t> utf8decode(std::string_view text, std::size_t& index);
// As utf8decode, with U+FFFD for a malformed sequence.
char32_t utf8next(std::string_view text, std::size_t& index);
// Appends the scalar; a surrogate or a value above U+10FFFF is written as U+FFFD.
void utf8append(std::string& out, char32_t scalar);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values above
// U+10FFFF).
bool isvalidutf8(std::string_view bytes);

// Every byte of Mac OS Roman has a character, so this conversion cannot fail.
std::string macromantoutf8(std::string_view bytes);

// Every byte of ISO 8859-1 is the character of the same number, so this cannot fail either.
std::string latin1toutf8(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text; the text helpers measure widths in them.
std::size_t utf8length(std::string_view text);

}  // namespace zarvik
