#include "toolkit/outputpause.h"

namespace zarvik {

void t_OutputPauseCheck() {}

}  // namespace zarvik
