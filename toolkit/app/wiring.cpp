// Hands the layers below the steps of this layer that they run: the window table's set-up steps
// and the output pause. Compiled into every program that links the toolkit, so that the steps are
// in place before main whichever of the toolkit's objects the program happens to use.
#include "toolkit/app/menus.h"
#include "toolkit/app/outputpause.h"
#include "toolkit/app/presentation.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace zarvik {
namespace {

[[maybe_unused]] const bool installed = [] {
    t_InstallSetUpSteps({&t_BuildMenuActions, &t_CleanUpHostMenus, &t_StartUpdateThread});
    t_InstallOutputPause(&t_OutputPauseCheck);
    return true;
}();

}  // namespace
}  // namespace zarvik
