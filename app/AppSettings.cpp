#include "app/AppSettings.h"
#include "link/LinkTexts.h"

AppSettings& appSettings() {
    static AppSettings settings;
    return settings;
}

void AppSettings::init(const std::filesystem::path& folder, const std::string& baseName) {
    m_profile.init(ProfileSettings::GivenFolder, baseName, folder);
}

std::string AppSettings::readString(const std::string& section, const std::string& key,
                                    const std::string& def) {
    return m_profile.getString(section, key, def, false);
}

void AppSettings::readAll() {
    m_profile.readPlacement();
    placement = m_profile.placementValid() ? std::optional(m_profile.placement()) : std::nullopt;
    monthStartDay = m_profile.getInt("Param", "MonStartDay", 1);
    txtOutDir = m_profile.getPath("Param", "TxtOutDir", "");
    txtOutAppRun = m_profile.getInt("Param", "TxtOutAppRun", 0);
    txtOutApp = m_profile.getPath("Param", "TxtOutApp", "");
    saveDir = m_profile.getPath("Filepath", "SaveDir", "C:\\");
    saveFile = m_profile.getPath("Filepath", "SaveFile", "CustData.VLK");
    pdfOutDir = m_profile.getPath("Filepath", "PdfOutDir", "");
    importDir = m_profile.getPath("Filepath", "ImportDir", "");
    debugComm = m_profile.getInt(txt::link::kDebugSection, txt::link::kDebugCommKey, 0);
    commLog = m_profile.getInt(txt::link::kDebugSection, txt::link::kCommLogKey, 0);
}

void AppSettings::writeAll() {
    if (placement) {
        m_profile.setPlacement(*placement);
        m_profile.writePlacement();
    }
    m_profile.putInt("Param", "MonStartDay", monthStartDay);
    m_profile.putPath("Param", "TxtOutDir", txtOutDir);
    m_profile.putInt("Param", "TxtOutAppRun", txtOutAppRun);
    m_profile.putPath("Param", "TxtOutApp", txtOutApp);
    m_profile.putPath("Filepath", "SaveDir", saveDir);
    m_profile.putPath("Filepath", "SaveFile", saveFile);
    m_profile.putPath("Filepath", "PdfOutDir", pdfOutDir);
    m_profile.putPath("Filepath", "ImportDir", importDir);
}
