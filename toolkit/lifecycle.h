#pragma once
// The steps of the toolkit's start-up that belong to events, menus and presentation. The window
// table calls them from t_InitMemory and t_InitWindow; their bodies live with those subsystems.
namespace zarvik {

// Names the calling thread "Main Program" when it is the program thread (thread number 2).
void t_LifecycleNameProgramThread();

// Fills the menu action table with the built-in action records.
void t_LifecycleBuildMenuActions();

// Removes the host's menu items that make no sense in this application.
void t_LifecycleCleanUpHostMenus();

// Starts the update thread "t_WindowAutoUpdate" unless it is already running.
void t_LifecycleStartUpdateThread();

}  // namespace zarvik
