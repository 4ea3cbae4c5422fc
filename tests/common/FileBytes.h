#pragma once
// The whole content of a file as bytes; empty when it cannot be read.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
