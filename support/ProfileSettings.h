#pragma once
#include "support/PrivateProfile.h"
#include "support/WindowPlacement.h"

#include <filesystem>
#include <string>
#include <string_view>

// The folders a profile path can be formed from, without trailing separator.
struct ProfileFolders {
    std::filesystem::path exeFolder;
    std::filesystem::path exePath;
    std::string exeBaseName;               // native bytes
    std::filesystem::path windowsFolder;   // here: the user's configuration folder
    std::filesystem::path tempFolder;      // TMPDIR or /tmp
    std::filesystem::path documentsFolder; // ~/Documents when it exists, else the home folder

    // The running program's folders (see ProgramFolder.h for the program folder rule).
    static ProfileFolders fromSystem();
};

// Access to the program's INI file with the platform's profile rules (see PrivateProfile.h).
class ProfileSettings {
public:
    enum Mode {
        BareName = 0,        // just the file name, looked up in windowsFolder
        WindowsFolder = 1,   //
        ProgramFolder = 2,   // used by the program
        DocumentsFolder = 3, //
        GivenFolder = 5,     // the folder passed to init
    };
    static constexpr std::size_t kMaxFolderBytes = 260;

    ProfileSettings();
    explicit ProfileSettings(ProfileFolders folders);

    // Forms the INI path from the mode, the base name (exeBaseName when empty) and, for mode 5,
    // the folder. ".INI" is appended unless the base name contains a period. Throws
    // std::invalid_argument for a folder longer than 260 bytes or an unknown mode.
    void init(int mode = ProgramFolder, std::string_view name = {},
              const std::filesystem::path& folder = {});
    const std::filesystem::path& iniPath() const { return m_iniPath; }
    // The file the profile calls use (a bare name resolved against windowsFolder).
    std::filesystem::path filePath() const;

    const ProfileFolders& folders() const { return m_folders; }

    // The profile integer; with writeBack, a result equal to the default writes the default.
    int getInt(std::string_view section, std::string_view key, int defaultValue,
               bool writeBack = true);
    // The profile text (5000-byte buffer); with writeBack, a text byte-equal to the default
    // writes the default.
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, bool writeBack = true);
    // "%d".
    bool putInt(std::string_view section, std::string_view key, int value);
    bool putString(std::string_view section, std::string_view key, std::string_view text);
    // A path kept in the INI file (see profile::readPath): with writeBack, a missing key gets
    // the default as getString writes it.
    std::filesystem::path getPath(std::string_view section, std::string_view key,
                                  std::string_view cp932Default, bool writeBack = true);
    profile::PathKept putPath(std::string_view section, std::string_view key,
                              const std::filesystem::path& path);

    // "Window"/"Placement". readPlacement leaves placementValid() false unless all ten numbers
    // were there.
    void readPlacement();
    void writePlacement();
    const WindowPlacement& placement() const { return m_placement; }
    bool placementValid() const { return m_placementValid; }
    void setPlacement(const WindowPlacement& placement);

private:
    ProfileFolders m_folders;
    std::filesystem::path m_iniPath;
    WindowPlacement m_placement;
    bool m_placementValid = false;
};
