#pragma once
#include <filesystem>
#include <string>
#include <system_error>

enum class FileUse { Read, Write };

// What the user is told after the program's own "cannot open" text: why the system refused
// (in words, with what to do) and, for a refused write, the folder. CP932; starts with a line
// break, empty when there is no reason to give (an open given up on request).
std::string openFailureReason(std::error_code error, FileUse use,
                              const std::filesystem::path& path);
