#include "tools/cli/CliMain.h"
#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
    // Above a file-size limit a write fails with EFBIG and the usual message, instead of the
    // signal killing the tool half-way through a save.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    return runCli(args, {std::cout, std::cerr, std::cin});
}
