// The program's start path, shared by the executable, its tests and its benchmarks.
#pragma once

namespace quivara::shell {

inline constexpr const char *kAppTitle = "Quivara";
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// Starts the user interface with the splash window and runs until the program ends.
int run(int &argc, char **argv);

} // namespace quivara::shell
