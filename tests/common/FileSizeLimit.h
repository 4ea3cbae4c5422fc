#pragma once
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a child process whose files may not grow beyond `bytes` (a full disk for one
// process), with SIGXFSZ ignored so that the write fails with EFBIG as the program has it.
// Returns the child's exit code (body's return value), or -1 when it did not exit.
inline int withFileSizeLimit(rlim_t bytes, const std::function<int()>& body) {
    pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        struct rlimit limit {
            bytes, bytes
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
