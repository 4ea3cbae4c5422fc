#pragma once
// Runs a built executable in a child process with its own working folder, environment
// additions and standard input; collects exit status, stdout and stderr.
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tooltest {

struct RunResult {
    int status = -1; // exit status; 128 + signal when killed
    std::string out;
    std::string err;
};

struct RunOptions {
    std::filesystem::path cwd;
    std::vector<std::pair<std::string, std::string>> env; // set (empty value: unset)
    std::string input;                                    // standard input
    unsigned watchdogSeconds = 120;                       // against hangs only
};

inline std::string readWhole(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// A child still running.
struct Spawned {
    pid_t pid = -1;
    std::filesystem::path scratch;
    std::filesystem::path errPath() const { return scratch / "err"; }
    std::filesystem::path outPath() const { return scratch / "out"; }
};

inline Spawned spawn(const std::string& exe, const std::vector<std::string>& args,
                     const RunOptions& options) {
    namespace fs = std::filesystem;
    static int counter = 0;
    Spawned child;
    child.scratch = fs::temp_directory_path() /
                    ("orvo_run_" + std::to_string(getpid()) + "_" + std::to_string(++counter));
    fs::create_directories(child.scratch);
    fs::path inPath = child.scratch / "in", outPath = child.outPath(), errPath = child.errPath();
    {
        std::ofstream in(inPath, std::ios::binary);
        in << options.input;
    }
    std::vector<std::string> argStrings{exe};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    pid_t pid = fork();
    if (pid == 0) {
        int in = open(inPath.c_str(), O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0)
            _exit(125);
        for (auto& [k, v] : options.env) {
            if (v.empty())
                unsetenv(k.c_str());
            else
                setenv(k.c_str(), v.c_str(), 1);
        }
        alarm(options.watchdogSeconds);
        std::vector<char*> argv;
        for (auto& a : argStrings)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(126);
    }
    child.pid = pid;
    return child;
}

// Waits for the child and collects what it wrote.
inline RunResult finish(const Spawned& child) {
    RunResult r;
    int status = 0;
    waitpid(child.pid, &status, 0);
    if (WIFEXITED(status))
        r.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        r.status = 128 + WTERMSIG(status);
    r.out = readWhole(child.outPath());
    r.err = readWhole(child.errPath());
    std::error_code ec;
    std::filesystem::remove_all(child.scratch, ec);
    return r;
}

inline RunResult run(const std::string& exe, const std::vector<std::string>& args,
                     const RunOptions& options) {
    return finish(spawn(exe, args, options));
}

} // namespace tooltest
