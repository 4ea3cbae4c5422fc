#pragma once
#include "support/ProfileSettings.h"
#include "support/WindowPlacement.h"
#include <optional>
#include <string>

// The program's settings in its INI file. Every read of a missing key writes the default at
// once, so the first start leaves a complete file.
class AppSettings {
public:
    static constexpr int kNormalEnd = 15685; // "check"/"RunningNum" after a normal exit

    // The INI file "<folder>/<base name>.INI" (no extension added when the name has a period).
    void init(const std::string& folder, const std::string& baseName);
    const std::string& iniPath() const { return m_profile.iniPath(); }
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
    std::string txtOutDir;
    int txtOutAppRun = 0;
    std::string txtOutApp;
    std::string saveDir = "C:\\";
    std::string saveFile = "CustData.VLK";
    std::string pdfOutDir; // where print jobs go as PDF files when there is no printer
    std::string importDir; // folder of the last received file imported (CP932)
    int debugComm = 0;
    int commLog = 0;

private:
    ProfileSettings m_profile;
};

// The settings of the running program.
AppSettings& appSettings();
