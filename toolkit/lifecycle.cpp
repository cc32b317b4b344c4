#include "toolkit/lifecycle.h"

#include "toolkit/menus.h"
#include "toolkit/presentation.h"
#include "toolkit/threads.h"

namespace zarvik {

void t_LifecycleNameProgramThread() {
    if (t_CurrentThreadNumber() == 2) {
        t_NameCurrentThread("Main Program");
    }
}

void t_LifecycleBuildMenuActions() {
    t_BuildMenuActions();
}

void t_LifecycleCleanUpHostMenus() {
    t_CleanUpHostMenus();
}

void t_LifecycleStartUpdateThread() {
    t_StartUpdateThread();
}

}  // namespace zarvik
