#pragma once
// Where a benchmark puts its files: $ORVO_BENCH_DIR, absolute or relative to the folder the
// benchmark was started in (created when missing), else that folder itself. Made absolute at
// the first call: a program start changes the working folder.
#include <cstdlib>
#include <filesystem>

inline const std::filesystem::path& benchFolder() {
    static const std::filesystem::path folder = [] {
        const char* dir = std::getenv("ORVO_BENCH_DIR");
        std::filesystem::path path =
            std::filesystem::absolute(dir && *dir ? dir : std::filesystem::current_path());
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
        return path;
    }();
    return folder;
}
