#pragma once
#include <QString>

#include <filesystem>

// Paths between the widgets and the core: the system's own bytes, never CP932.
std::filesystem::path pathFromQt(const QString& text);
QString qtFromPath(const std::filesystem::path& path);
