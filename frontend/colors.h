#pragma once
// The colours of the game's main window that more than one of its parts paints with.

namespace zarvik::frontend {

// The palette entry of the main window's ordinary text, which the clocks and the text board write in.
constexpr int kNormalColor = 12;

}  // namespace zarvik::frontend
