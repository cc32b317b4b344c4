#pragma once
// The key tables: how one host key press becomes a key event (or none), by key code, produced
// character and modifier flags.
#include <cstdint>
#include <optional>

#include "toolkit/app/events.h"

namespace zarvik {

struct t_KeyMapping {
    std::optional<t_Event> Event;       // nothing: the key queues no event
    std::optional<int> RedirectTarget;  // keypad 7-9 with Control set the output target
};

// Pure: the mapping of one key press in `window` at `time` (ms).
t_KeyMapping t_MapKey(std::uint8_t window, const t_HostKeyEvent& key, std::int64_t time);

}  // namespace zarvik
