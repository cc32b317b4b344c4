#pragma once
// Modifier flag bits of key events and menu shortcuts, as every host delivers them and the toolkit
// reads them: one set of bits for the Qt host, the headless host and the menu table.
#include <cstdint>

namespace zarvik {

enum class t_ModifierBit : std::uint32_t {
    CapsLock = 16,
    Shift = 17,
    Control = 18,
    Option = 19,
    Command = 20,
    NumericPad = 21,
    Help = 22,
    Function = 23,
};
constexpr std::uint32_t t_ModifierMask(t_ModifierBit bit) {
    return std::uint32_t{1} << static_cast<std::uint32_t>(bit);
}
constexpr bool t_HasModifier(std::uint32_t flags, t_ModifierBit bit) {
    return (flags & t_ModifierMask(bit)) != 0;
}

}  // namespace zarvik
