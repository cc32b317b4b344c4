#pragma once
// Text encodings of the file readers: UTF-8 validation and Mac OS Roman conversion.
#include <string>
#include <string_view>

namespace zarvik {

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
