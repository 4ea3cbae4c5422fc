#pragma once
// Where the program puts what must be private to the running user and live only while they
// are logged in (the socket that raises a running copy).
#include <string>

// $XDG_RUNTIME_DIR when it names a folder of this user's that nobody else may enter; else
// "<home>/.cache/OrvoView-runtime", created 0700 and checked to be this user's own folder (not
// a link, not shared). Empty when neither can be had. `xdgRuntimeDir` may be null.
std::string privateRuntimeFolder(const char* xdgRuntimeDir, const std::string& home);
