#pragma once
// Ctrl-S stops text output: the printing thread waits until another key or a menu choice comes,
// and the key that resumes output is taken from the queue so that the program never sees it.
namespace zarvik {

void t_OutputPauseCheck();

}  // namespace zarvik
