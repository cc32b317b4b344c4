#include "terminal/keydecoder.h"

#include <gtest/gtest.h>

#include "toolkit/modifiers.h"

namespace zarvik::terminal {
namespace {

constexpr std::uint32_t kFn = t_ModifierMask(t_ModifierBit::Function);
constexpr std::uint32_t kPad = t_ModifierMask(t_ModifierBit::NumericPad);
constexpr std::uint32_t kShift = t_ModifierMask(t_ModifierBit::Shift);
constexpr std::uint32_t kCtrl = t_ModifierMask(t_ModifierBit::Control);
constexpr std::uint32_t kAlt = t_ModifierMask(t_ModifierBit::Option);

struct Key {
    int code;
    char32_t character;
    std::uint32_t flags;
};

std::vector<Key> keysOf(const std::vector<TerminalInput>& inputs) {
    std::vector<Key> keys;
    for (const TerminalInput& input : inputs) {
        if (input.kind == TerminalInput::Kind::Key) {
            keys.push_back(Key{input.key.KeyCode,
                               input.key.Characters.empty() ? 0 : input.key.Characters.front(),
                               input.key.ModifierFlags});
        }
    }
    return keys;
}

// The sequences of xterm (normal and application cursor mode), the Linux console and the vt100.
TEST(KeyDecoder, SequencesOfTheCommonTerminals) {
    struct Row {
        const char* name;
        std::string bytes;
        Key key;
    };
    const Row rows[] = {
        {"letter", "e", {255, U'e', 0}},
        {"umlaut in UTF-8", "\xc3\xa4", {255, U'ä', 0}},
        {"sharp s", "\xc3\x9f", {255, U'ß', 0}},
        {"Return", "\r", {36, 13, 0}},
        {"Return as line feed", "\n", {36, 13, 0}},
        {"Backspace (DEL)", "\x7f", {51, 127, 0}},
        {"Backspace (BS, vt100)", "\x08", {51, 127, 0}},
        {"Tab", "\t", {48, 9, 0}},
        {"Ctrl+N", "\x0e", {255, 14, kCtrl}},
        {"Alt+x", "\x1bx", {255, U'x', kAlt}},
        {"xterm up", "\x1b[A", {126, 0xF700, kFn | kPad}},
        {"xterm down", "\x1b[B", {125, 0xF701, kFn | kPad}},
        {"xterm right", "\x1b[C", {124, 0xF703, kFn | kPad}},
        {"xterm left", "\x1b[D", {123, 0xF702, kFn | kPad}},
        {"vt100 application up", "\x1bOA", {126, 0xF700, kFn | kPad}},
        {"vt100 application left", "\x1bOD", {123, 0xF702, kFn | kPad}},
        {"xterm shift+up", "\x1b[1;2A", {126, 0xF700, kFn | kPad | kShift}},
        {"xterm ctrl+right", "\x1b[1;5C", {124, 0xF703, kFn | kPad | kCtrl}},
        {"xterm home", "\x1b[H", {115, 0xF729, kFn}},
        {"xterm end", "\x1b[F", {119, 0xF72B, kFn}},
        {"linux home", "\x1b[1~", {115, 0xF729, kFn}},
        {"linux end", "\x1b[4~", {119, 0xF72B, kFn}},
        {"delete", "\x1b[3~", {117, 0xF728, kFn}},
        {"page up", "\x1b[5~", {116, 0xF72C, kFn}},
        {"page down", "\x1b[6~", {121, 0xF72D, kFn}},
        {"xterm F1", "\x1bOP", {122, 0xF704, kFn}},
        {"xterm F4", "\x1bOS", {118, 0xF707, kFn}},
        {"linux F1", "\x1b[[A", {122, 0xF704, kFn}},
        {"linux F5", "\x1b[[E", {96, 0xF708, kFn}},
        {"xterm F5", "\x1b[15~", {96, 0xF708, kFn}},
        {"xterm F10", "\x1b[21~", {109, 0xF70D, kFn}},
        {"xterm F12", "\x1b[24~", {111, 0xF70F, kFn}},
        {"rxvt F1", "\x1b[11~", {122, 0xF704, kFn}},
        {"back tab", "\x1b[Z", {48, 25, kShift}},
        {"vt100 keypad Enter", "\x1bOM", {76, 3, kPad}},
    };
    for (const Row& row : rows) {
        KeyDecoder decoder;
        const std::vector<Key> keys = keysOf(decoder.feed(row.bytes));
        ASSERT_EQ(keys.size(), 1u) << row.name;
        EXPECT_EQ(keys[0].code, row.key.code) << row.name;
        EXPECT_EQ(keys[0].character, row.key.character) << row.name;
        EXPECT_EQ(keys[0].flags, row.key.flags) << row.name;
        EXPECT_FALSE(decoder.pending()) << row.name;
    }
}

// A sequence split across reads waits for its rest; a lone Escape becomes the key only when
// nothing follows; junk never becomes a key.
TEST(KeyDecoder, PartsArrivingLaterAndBrokenInput) {
    struct Row {
        const char* name;
        std::vector<std::string> reads;
        bool flushAfter;
        std::vector<char32_t> characters;
    };
    const Row rows[] = {
        {"arrow split", {"\x1b", "[", "A"}, false, {0xF700}},
        {"umlaut split", {"\xc3", "\xb6"}, false, {U'ö'}},
        {"lone Escape", {"\x1b"}, true, {27}},
        {"Escape then text", {"\x1b", "a"}, false, {U'a'}},
        {"typed move", {"e2-e4\r"}, false, {U'e', U'2', U'-', U'e', U'4', 13}},
        {"cut sequence dropped", {"\x1b[1;"}, true, {}},
        {"stray continuation byte", {"\x80z"}, false, {U'z'}},
        {"unknown CSI ignored", {"\x1b[99x", "q"}, false, {U'q'}},
        {"two keys in one read", {"\x1b[A\x1b[B"}, false, {0xF700, 0xF701}},
    };
    for (const Row& row : rows) {
        KeyDecoder decoder;
        std::vector<TerminalInput> all;
        for (const std::string& read : row.reads) {
            for (const TerminalInput& input : decoder.feed(read)) {
                all.push_back(input);
            }
        }
        if (row.flushAfter) {
            for (const TerminalInput& input : decoder.flush()) {
                all.push_back(input);
            }
        }
        std::vector<char32_t> characters;
        for (const Key& key : keysOf(all)) {
            characters.push_back(key.character);
        }
        EXPECT_EQ(characters, row.characters) << row.name;
    }
}

TEST(KeyDecoder, SgrMouseReports) {
    struct Row {
        const char* name;
        std::string bytes;
        std::optional<TerminalClick> click;
    };
    const Row rows[] = {
        {"left press", "\x1b[<0;31;7M", TerminalClick{30, 6, false, true}},
        {"left release", "\x1b[<0;31;7m", TerminalClick{30, 6, false, false}},
        {"right press", "\x1b[<2;1;1M", TerminalClick{0, 0, true, true}},
        {"wheel is no click", "\x1b[<64;5;5M", std::nullopt},
        {"motion is no click", "\x1b[<32;5;5M", std::nullopt},
        {"cell 0 is invalid", "\x1b[<0;0;5M", std::nullopt},
    };
    for (const Row& row : rows) {
        KeyDecoder decoder;
        const std::vector<TerminalInput> inputs = decoder.feed(row.bytes);
        if (!row.click) {
            EXPECT_TRUE(inputs.empty()) << row.name;
            continue;
        }
        ASSERT_EQ(inputs.size(), 1u) << row.name;
        EXPECT_EQ(inputs[0].kind, TerminalInput::Kind::Click) << row.name;
        EXPECT_EQ(inputs[0].click, *row.click) << row.name;
    }
}

}  // namespace
}  // namespace zarvik::terminal
