#include "toolkit/app/outputpause.h"

#include "toolkit/app/events.h"

namespace zarvik {

void t_OutputPauseCheck() {
    constexpr int kCtrlS = 19;
    if (t_NewestKeyValue() != kCtrlS) {
        return;
    }
    t_ClearKeyQueue();
    const std::size_t menus = t_MenuQueueLength();
    t_WaitForEvents([menus] { return t_KeyPending() || t_MenuQueueLength() != menus; });
    if (t_KeyPending()) {
        t_NextEvent();  // the key that resumes output does not reach the program
    }
}

}  // namespace zarvik
