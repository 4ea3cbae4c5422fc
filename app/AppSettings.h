#pragma once
#include "support/ProfileSettings.h"
#include "support/WindowPlacement.h"
#include <filesystem>
#include <optional>
#include <string>

// The program's settings in its INI file. Every read of a missing key writes the default at
// once, so the first start leaves a complete file. Folders and files are paths, kept in the
// INI file by the rule of profile::writePath (CP932, or UTF-8 under "<key>_UTF8").
class AppSettings {
public:
    static constexpr int kNormalEnd = 15685; // "check"/"RunningNum" after a normal exit

    // The INI file "<folder>/<base name>.INI" (no extension added when the name has a period).
    void init(const std::filesystem::path& folder, const std::string& baseName);
    const std::filesystem::path& iniPath() const { return m_profile.iniPath(); }
    ProfileSettings& profile() { return m_profile; }

    // Placement first, then "Param", "Filepath" and "Debug".
    void readAll();
    // "Window"/"Placement", the "Param" and the "Filepath" keys.
    void writeAll();

    // Plain read of the profile (no write-back), for the pane sizes and other readers.
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& def);

    std::optional<WindowPlacement> placement;
    int monthStartDay = 1;
    std::filesystem::path txtOutDir;
    int txtOutAppRun = 0;
    std::filesystem::path txtOutApp;
    std::filesystem::path saveDir = "C:\\";
    std::filesystem::path saveFile = "CustData.VLK";
    std::filesystem::path pdfOutDir; // where print jobs go as PDF files when there is no printer
    std::filesystem::path importDir; // folder of the last received file imported
    int debugComm = 0;
    int commLog = 0;

private:
    ProfileSettings m_profile;
};

// The settings of the running program.
AppSettings& appSettings();
