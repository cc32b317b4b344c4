#include "toolkit/lifecycle.h"

namespace zarvik {

void t_LifecycleNameProgramThread() {}

void t_LifecycleBuildMenuActions() {}

void t_LifecycleCleanUpHostMenus() {}

void t_LifecycleStartUpdateThread() {}

}  // namespace zarvik
