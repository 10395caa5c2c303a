#pragma once

#include <QString>

namespace palvex {

// The commands that need more of Qt than drawing does live in modules of
// their own beside the program, loaded when they are asked for: `render`,
// `save-bag`, `typelib`, `help` and `--version` load neither Qt Qml (the
// script host) nor Qt Widgets (the window).
//
// Each module exports one function of this type, by the name given, and
// runs its command with the program's argument vector (the command's own
// arguments after argv[1]); it makes its own application object.
using CommandEntry = int (*)(int argc, char** argv);
inline constexpr char kScriptModule[] = "palvexchart-script";
inline constexpr char kScriptEntry[] = "palvexchart_script";
inline constexpr char kShowModule[] = "palvexchart-show";
inline constexpr char kShowEntry[] = "palvexchart_show";

// Loads the module from the program's folder and runs its command; exit
// code 2, saying why, when the module cannot be loaded.
int RunCommandModule(const char* module, const char* entry, int argc, char** argv);

}  // namespace palvex
