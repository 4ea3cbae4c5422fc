#pragma once
#include <string>

// Where the program lives. The INI file, the log, the DATA folder and the single-instance lock
// are kept there. All texts are CP932, folders without a trailing separator.

// The folder named by the environment variable ORVOVIEW_HOME when set and not empty, else the
// folder of the running executable.
std::string programFolder();
// Full path of the running executable.
std::string programPath();
// File name of the executable without a ".exe" extension (other periods stay: "a.b" stays "a.b").
std::string programBaseName();
