// Arbitrary argument vectors (NUL-separated) through the command-line parser: it returns or
// throws UsageError, nothing else.
#include "tools/cli/CliArgs.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty()) {
        args.push_back(current);
    }
    try {
        CliArgs parsed = parseCliArgs(args);
        for (const std::string& name : {"home", "file", "port", "customer", "circuit"}) {
            parsed.get(name);
            parsed.has(name);
        }
    } catch (const UsageError&) {
    }
    return 0;
}
