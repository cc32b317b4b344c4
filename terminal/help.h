#pragma once
// The "Hilfe" menu's texts in the terminal: how to play with the terminal's keys ("Bedienung") and
// the version ("Über Zarvik").
#include <string>

namespace zarvik::terminal {

std::string manualText();
std::string aboutText();

}  // namespace zarvik::terminal
