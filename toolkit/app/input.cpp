#include "toolkit/app/input.h"

#include <algorithm>

#include "toolkit/app/startup.h"
#include "toolkit/host.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace zarvik {
namespace {

constexpr char32_t esc = 27;
constexpr char32_t gs = 29;

std::u32string scalars(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        out += static_cast<char32_t>(t_NextScalar(text, i));
    }
    return out;
}

std::string utf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        t_AppendUtf8(out, c);
    }
    return out;
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Upper case of ASCII and Latin-1 letters (the keys of the questions).
char32_t upper(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    return c;
}

char32_t lower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    return c;
}

char32_t keyScalar(std::string_view key) {
    if (key.empty()) {
        return 0;
    }
    std::size_t i = 0;
    return static_cast<char32_t>(t_NextScalar(key, i));
}

// The field's text as characters, and writing it back.
struct Field {
    t_Window& w;
    std::u32string text;

    explicit Field(t_Window& window) : w(window), text(scalars(window.InputString)) {}
    int length() const { return static_cast<int>(text.size()); }
    void store() { w.InputString = utf8(text); }
};

void redraw(std::uint8_t window, t_Window& w, std::string_view padding) {
    w.TextHpos = w.InputHpos.load();
    t_DisplayMode(window, 4);
    t_Print(window, w.InputString + std::string(padding));
    t_DisplayMode(window, 0);
}

// Mode filter: the character to insert, or 0 when the mode refuses it.
char32_t accepted(int mode, char32_t c, const std::u32string& text, int cursor) {
    const auto contains = [&](char32_t x) { return text.find(x) != std::u32string::npos; };
    switch (mode) {
        case 2:
            return isDigit(c) || (c == U'-' && cursor == 0) ? c : 0;
        case 3:
            c = lower(c);
            if (isDigit(c)) {
                return c;
            }
            if ((c == U'.' || c == U',') && !contains(U',')) {
                return U',';
            }
            if (c == U'-' && (cursor == 0 || text[static_cast<std::size_t>(cursor - 1)] == U'e')) {
                return c;
            }
            return c == U'e' && !contains(U'e') ? c : 0;
        case 4:
            return isDigit(c) || (c == U'-' && cursor != 0 && !contains(U'-')) ? c : 0;
        default:
            return c;
    }
}

void decimalEntry(std::uint8_t window, const t_Window& w) {
    int number = 0;
    for (int digits = 0; digits < 3; ++digits) {
        const char32_t k = keyScalar(t_WaitKey(window));
        if (!isDigit(k)) {
            if (digits == 0) {
                number = static_cast<int>(k) - 48;
            }
            break;
        }
        number = number * 10 + static_cast<int>(k - U'0');
    }
    const int lowest = w.InputMode == 1 ? 1 : 32;
    if (number >= lowest && number <= 255) {
        t_InputInsert(window, number);
    }
}

// The pasteboard's first line goes into the field character by character. Posting it as keys
// would let the ESC of an encoded wide character act as the Escape key and erase the field.
// Control characters are not text and are left out; the modes that admit only some characters
// see each pasted character itself, so that the digits of an encoded one cannot slip in.
void paste(std::uint8_t window, int mode) {
    std::optional<std::string> board;
    onMainThread([&board] { board = host().pasteboardText(); });
    std::u32string line;
    for (char32_t c : scalars(board.value_or(""))) {
        if (c == U'\n' || c == U'\r' || line.size() >= t_PasteLimit) {
            break;
        }
        if (c >= 32 && c != 127) {
            line += c;
        }
    }
    const bool restricted = mode >= 2 && mode <= 4;
    for (char32_t c : restricted ? line : t_EncodeEscapes(line)) {
        t_InputInsert(window, static_cast<int>(c));
    }
}

void copy(const std::string& field) {
    const std::string text = t_DecodeEscapes(scalars(field));
    onMainThread([&text] { host().setPasteboardText(text); });
}

}  // namespace

std::u32string t_EncodeEscapes(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c <= 255) {
            out += c;
            continue;
        }
        out += esc;
        for (int shift = 12; shift >= 0; shift -= 4) {
            out += static_cast<char32_t>(t_HexDigit(static_cast<int>(c >> shift)));
        }
        out += gs;
    }
    return out;
}

std::string t_DecodeEscapes(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == esc && i + 5 < text.size() && text[i + 5] == gs) {
            std::uint32_t code = 0;
            bool hex = true;
            for (std::size_t k = 1; k <= 4 && hex; ++k) {
                const int v = text[i + k] < 256 ? t_HexValue(static_cast<std::uint8_t>(text[i + k])) : -1;
                hex = v >= 0;
                code = code * 16 + static_cast<std::uint32_t>(v);
            }
            if (hex) {
                t_AppendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? 0 : code);
                i += 6;
                continue;
            }
        }
        t_AppendUtf8(out, text[i]);
        ++i;
    }
    return out;
}

std::string t_InputForm(std::uint8_t window, std::string_view prompt, std::string_view initial, bool noEdit,
                        int mode, int maxCharacters) {
    t_Window* w = t_CheckWindow("t_InputForm", window, t_Check::Text);
    if (w == nullptr) {
        return {};
    }
    t_DisplayMode(window, 4);
    t_Print(window, prompt);
    t_DisplayMode(window, 0);
    w->InputHpos = w->TextHpos.load();
    w->InputVpos = w->TextVpos.load();
    w->InputMode = mode;
    w->InputMaxCharacters = maxCharacters;
    std::u32string start = maxCharacters < 1 ? std::u32string() : scalars(initial);
    if (maxCharacters >= 1 && start.size() > static_cast<std::size_t>(maxCharacters)) {
        start.resize(static_cast<std::size_t>(maxCharacters));
    }
    w->InputString = utf8(start);
    w->InputFinished = false;
    w->InputCursorPos = static_cast<int>(start.size());
    t_DisplayMode(window, 4);
    t_Print(window, w->InputString);
    t_DisplayMode(window, 0);
    if (!noEdit) {
        t_InputFormEdit(window, [] { return false; });
    }
    return w->InputString;
}

bool t_InputFormEdit(std::uint8_t window, const std::function<bool()>& interrupt) {
    if (t_CheckWindow("t_InputFormEdit", window, t_Check::Text) == nullptr) {
        return true;
    }
    char32_t k = 0;
    do {
        t_InputEdit(window, 31);
        const std::optional<std::string> key = t_WaitKeyUnless(window, interrupt);
        if (!key) {
            return false;
        }
        k = keyScalar(*key);
        t_InputEdit(window, static_cast<int>(k));
    } while (k != 13 && k != 27);
    t_Cr(window);
    return true;
}

void t_InputEdit(std::uint8_t window, int key) {
    t_Window* wp = t_CheckWindow("t_InputEdit", window, t_Check::Text);
    if (wp == nullptr) {
        return;
    }
    t_Window& w = *wp;
    Field field(w);
    int pos = std::clamp(w.InputCursorPos.load(), 0, field.length());
    w.TextVpos = w.InputVpos.load();
    w.TextHpos = w.InputHpos + pos;
    const auto blank = [&](int count) {
        w.TextHpos = w.InputHpos.load();
        t_Print(window, std::string(static_cast<std::size_t>(std::max(count, 0)), ' '));
    };
    switch (key) {
        case 0:
            redraw(window, w, "");
            w.TextHpos = w.InputHpos + pos;
            break;
        case 1:
        case 2:
        case 11:
        case 18:
            pos = 0;
            break;
        case 3:
        case 5:
        case 6:
        case 10:
            pos = field.length();
            break;
        case 4:
            if (pos < field.length()) {
                ++pos;
                while (pos < field.length() && field.text[static_cast<std::size_t>(pos - 1)] != U' ') {
                    ++pos;
                }
            }
            break;
        case 7:
            if (pos < field.length()) {
                field.text.erase(static_cast<std::size_t>(pos), 1);
                field.store();
            }
            redraw(window, w, " ");
            break;
        case 8:
            --pos;
            break;
        case 12:
            copy(w.InputString);
            break;
        case 13:
            w.InputFinished = true;
            break;
        case 19:
            if (pos > 0) {
                --pos;
                while (pos > 0 && field.text[static_cast<std::size_t>(pos - 1)] != U' ') {
                    --pos;
                }
            }
            break;
        case 21:
            ++pos;
            break;
        case 22:
            paste(window, w.InputMode);
            pos = w.InputCursorPos;
            break;
        case 24: {
            const int oldLength = field.length();
            field.text.erase(0, static_cast<std::size_t>(pos));
            field.store();
            pos = 0;
            redraw(window, w, std::string(static_cast<std::size_t>(oldLength - field.length()), ' '));
            break;
        }
        case 26:
        case 27: {
            const int oldLength = field.length();
            field.text.clear();
            field.store();
            pos = 0;
            if (key == 27) {
                w.InputFinished = false;
            }
            blank(oldLength);
            break;
        }
        case 30:
            decimalEntry(window, w);
            pos = std::clamp(w.InputCursorPos.load(), 0, static_cast<int>(scalars(w.InputString).size()));
            break;
        case 31:
            w.TextHpos = w.InputHpos + pos;
            break;
        case 127:
            if (pos > 0) {
                field.text.erase(static_cast<std::size_t>(pos - 1), 1);
                field.store();
                --pos;
            }
            redraw(window, w, " ");
            break;
        default:
            if (key >= 32 && key != 127) {
                t_InputInsert(window, key);
                pos = w.InputCursorPos;
            }
            break;
    }
    w.InputCursorPos = std::clamp(pos, 0, static_cast<int>(scalars(w.InputString).size()));
}

void t_InputInsert(std::uint8_t window, int code) {
    t_Window* wp = t_CheckWindow("t_InputInsert", window, t_Check::Text);
    if (wp == nullptr || code <= 0 || code > 0x10FFFF) {
        return;
    }
    t_Window& w = *wp;
    Field field(w);
    const int pos = std::clamp(w.InputCursorPos.load(), 0, field.length());
    if (w.InputHpos + field.length() >= w.TextLastColumn || field.length() >= w.InputMaxCharacters) {
        return;
    }
    const char32_t c = accepted(w.InputMode, static_cast<char32_t>(code), field.text, pos);
    if (c == 0) {
        return;
    }
    field.text.insert(static_cast<std::size_t>(pos), 1, c);
    field.store();
    w.InputCursorPos = pos + 1;
    redraw(window, w, "");
}

bool t_AskYesNo(std::uint8_t window, std::string_view opening, char32_t firstKey, std::string_view separator,
                char32_t secondKey, bool firstIsDefault, std::string_view closing, bool echo) {
    return *t_AskYesNoUnless(window, opening, firstKey, separator, secondKey, firstIsDefault, closing, echo,
                             [] { return false; });
}

std::optional<bool> t_AskYesNoUnless(std::uint8_t window, std::string_view opening, char32_t firstKey,
                                     std::string_view separator, char32_t secondKey, bool firstIsDefault,
                                     std::string_view closing, bool echo,
                                     const std::function<bool()>& interrupt) {
    const auto printKey = [window](char32_t key, bool inverse) {
        if (inverse) {
            t_Inverse(window);
        }
        std::string text;
        t_AppendUtf8(text, key);
        t_Print(window, text);
        if (inverse) {
            t_Normal(window);
        }
    };
    t_Print(window, opening);
    printKey(firstKey, firstIsDefault);
    t_Print(window, separator);
    printKey(secondKey, !firstIsDefault);
    t_Print(window, closing);
    const std::optional<std::string> key = t_WaitKeyUnless(window, interrupt);
    if (!key) {
        return std::nullopt;
    }
    const char32_t k = upper(keyScalar(*key));
    const bool first = firstIsDefault ? !(k == upper(secondKey) || k == 27) : k == upper(firstKey);
    if (echo) {
        printKey(first ? firstKey : secondKey, false);
        t_Cr(window);
    }
    return first;
}

}  // namespace zarvik
