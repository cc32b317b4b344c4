#pragma once
// Translation of Qt key presses into the toolkit's key codes, characters and modifier flags. The
// toolkit's tables are keyed by the codes of a German desktop keyboard layout of its own platform; a
// PC keyboard is mapped onto them by physical key position (the X11 key code when the platform gives
// one, else the Qt key read on a German layout). Alt plays the option key, Meta the command key.
#include <cstdint>
#include <optional>
#include <string>

#include <QKeyEvent>

#include "toolkit/modifiers.h"

namespace zarvik::qthost {

// One key press as the toolkit's key handler wants it.
struct TranslatedKey {
    int keyCode = 0;
    std::u32string characters;  // empty for a dead key
    std::uint32_t modifierFlags = 0;

    bool operator==(const TranslatedKey&) const = default;
};

// Modifier flags of the Qt modifier state (caps lock is not part of Qt's modifiers).
std::uint32_t modifierFlags(Qt::KeyboardModifiers modifiers, bool capsLock);

// True for keys that only change the modifier state (Shift, Control, Alt, Meta, Caps Lock ...).
bool isModifierKey(int qtKey);

// Caps lock state of a key event: X11 reports it in the native modifiers; elsewhere it is unknown.
bool capsLockOf(const QKeyEvent& event);

// The translated press, or nothing for keys the toolkit's keyboard does not have (modifier keys,
// media keys, Insert, Print ...).
std::optional<TranslatedKey> translateKey(const QKeyEvent& event);

}  // namespace zarvik::qthost
