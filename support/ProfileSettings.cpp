#include "support/ProfileSettings.h"

#include "support/FilePath.h"
#include "support/PrivateProfile.h"
#include "support/ProgramFolder.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr const char* kWindow = "Window";
constexpr const char* kPlacement = "Placement";

std::string envFolder(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::string();
}

std::string clean(const std::string& folder) {
    return withoutTrailingSeparator(cp932Path(std::filesystem::path(folder)));
}

} // namespace

ProfileFolders ProfileFolders::fromSystem() {
    ProfileFolders f;
    f.exeFolder = programFolder();
    f.exePath = programPath();
    f.exeBaseName = programBaseName();

    std::string home = envFolder("HOME");
    std::string config = envFolder("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = home.empty() ? std::string("/tmp") : home + "/.config";
    }
    f.windowsFolder = clean(config);
    std::string temp = envFolder("TMPDIR");
    f.tempFolder = clean(temp.empty() ? std::string("/tmp") : temp);
    std::string docs = home.empty() ? std::string() : home + "/Documents";
    std::error_code ec;
    if (docs.empty() || !std::filesystem::is_directory(docs, ec)) {
        docs = home.empty() ? f.tempFolder : home;
    }
    f.documentsFolder = clean(docs);
    return f;
}

ProfileSettings::ProfileSettings() : ProfileSettings(ProfileFolders::fromSystem()) {}

ProfileSettings::ProfileSettings(ProfileFolders folders) : m_folders(std::move(folders)) {
    for (std::string* f : {&m_folders.exeFolder, &m_folders.windowsFolder, &m_folders.tempFolder,
                           &m_folders.documentsFolder}) {
        *f = withoutTrailingSeparator(*f);
    }
}

void ProfileSettings::init(int mode, std::string_view name, std::string_view folder) {
    std::string base(name.empty() ? std::string_view(m_folders.exeBaseName) : name);
    std::string fileName = base;
    if (base.find('.') == std::string::npos) {
        fileName += ".INI";
    }
    std::string dir;
    switch (mode) {
    case BareName:
        m_iniPath = fileName;
        return;
    case WindowsFolder:
        dir = m_folders.windowsFolder;
        break;
    case ProgramFolder:
        dir = m_folders.exeFolder;
        break;
    case DocumentsFolder:
        dir = m_folders.documentsFolder;
        break;
    case GivenFolder:
        dir = withoutTrailingSeparator(folder);
        break;
    default:
        throw std::invalid_argument("profile mode");
    }
    if (dir.size() > kMaxFolderBytes) {
        throw std::invalid_argument("profile folder longer than 260 bytes");
    }
    m_iniPath = joinPath(dir, fileName);
}

std::string ProfileSettings::filePath() const {
    if (m_iniPath.find(kPathSeparator) == std::string::npos) {
        return joinPath(m_folders.windowsFolder, m_iniPath);
    }
    return m_iniPath;
}

int ProfileSettings::getInt(std::string_view section, std::string_view key, int defaultValue,
                            bool writeBack) {
    int value = profile::readInt(filePath(), section, key, defaultValue);
    if (writeBack && value == defaultValue) {
        putInt(section, key, defaultValue);
    }
    return value;
}

std::string ProfileSettings::getString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, bool writeBack) {
    std::string value = profile::readString(filePath(), section, key, defaultValue);
    if (writeBack && value == defaultValue) {
        putString(section, key, defaultValue);
    }
    return value;
}

bool ProfileSettings::putInt(std::string_view section, std::string_view key, int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    return putString(section, key, buf);
}

bool ProfileSettings::putString(std::string_view section, std::string_view key,
                                std::string_view text) {
    return profile::writeString(filePath(), section, key, text);
}

void ProfileSettings::readPlacement() {
    std::string text = getString(kWindow, kPlacement, "");
    m_placementValid = false;
    m_placement.length = WindowPlacement::kLength;
    if (text.empty()) {
        return;
    }
    if (auto parsed = parsePlacement(text)) {
        m_placement = *parsed;
        m_placementValid = true;
    }
}

void ProfileSettings::writePlacement() {
    putString(kWindow, kPlacement, formatPlacement(m_placement));
}

void ProfileSettings::setPlacement(const WindowPlacement& placement) {
    m_placement = placement;
    m_placement.length = WindowPlacement::kLength;
    m_placementValid = true;
}
