#pragma once
#include <cstdlib>
#include <optional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

// Runs a shell command as a second local user (nobody) to see what another account can do to
// the program's files. Needs root (setpriv --reuid); nothing when that is not possible, and the
// test skips with skipReason().
namespace otheruser {

inline bool available() {
    return ::geteuid() == 0 && std::system("command -v setpriv >/dev/null 2>&1") == 0;
}

inline const char* skipReason() {
    return "needs root to act as a second user id (setpriv --reuid); skipped";
}

// The exit status of the command as uid/gid 65534, or nothing when it could not run.
inline std::optional<int> run(const std::string& command) {
    if (!available()) {
        return std::nullopt;
    }
    std::string quoted = "'";
    for (char c : command) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    quoted += "'";
    int status =
        std::system(("setpriv --reuid=65534 --regid=65534 --clear-groups sh -c " + quoted).c_str());
    if (status == -1 || !WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

} // namespace otheruser
