// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start path, shared by the executable, its tests and its benchmarks.
#pragma once

#include <functional>

namespace quivara::shell {

class Shell;

inline constexpr const char *kAppTitle = "Quivara";
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// Called with the shell once the application exists, just before the splash
// window is shown; lets a measurement watch the very start path the program uses.
using StartHook = std::function<void(Shell &)>;

// Starts the user interface with the splash window and runs until the program ends.
int run(int &argc, char **argv, const StartHook &beforeStart = {});

} // namespace quivara::shell
