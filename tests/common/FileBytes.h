#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// The whole content of a file as bytes; empty when it cannot be read.
inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The contents of every file in a folder, one after the other (a log folder, a trace folder).
inline std::string folderBytes(const std::filesystem::path& folder) {
    std::string all;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        all += fileBytes(entry.path());
    return all;
}
