#include "support/ProgramFolder.h"

#include "support/FilePath.h"
#include "support/PrivateProfile.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char kPerUserName[] = "OrvoView";

fs::path executable() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = fs::current_path(ec) / "OrvoView";
    }
    return exe;
}

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

fs::path folderText(const fs::path& folder) {
    return withoutTrailingSlash(folder);
}

} // namespace

fs::path absoluteFolder(const fs::path& folder) {
    // Made absolute before the program changes its working folder to it; a relative name
    // would otherwise be resolved a second time from inside itself.
    std::error_code ec;
    const fs::path absolute = fs::absolute(folder, ec);
    return folderText(ec ? folder : absolute.lexically_normal());
}

ProgramFolderFacts ProgramFolderFacts::fromSystem() {
    ProgramFolderFacts facts;
    facts.orvoviewHome = environment("ORVOVIEW_HOME");
    facts.exeFolder = executable().parent_path();
    facts.exeFolderPortable = isPortableFolder(facts.exeFolder);
    facts.xdgDataHome = environment("XDG_DATA_HOME");
    facts.home = environment("HOME");
    if (facts.home.empty()) {
        if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) {
            facts.home = account->pw_dir;
        }
    }
    return facts;
}

ProgramFolderChoice chooseProgramFolder(const ProgramFolderFacts& facts) {
    if (!facts.orvoviewHome.empty()) {
        return {absoluteFolder(facts.orvoviewHome), ProgramFolderKind::Environment};
    }
    if (facts.exeFolderPortable) {
        return {folderText(facts.exeFolder), ProgramFolderKind::Portable};
    }
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    fs::path data = fs::path(facts.xdgDataHome);
    if (facts.xdgDataHome.empty() || data.is_relative()) {
        data = fs::path(facts.home) / ".local" / "share";
    }
    return {folderText(data / kPerUserName), ProgramFolderKind::PerUser};
}

bool isPortableFolder(const fs::path& exeFolder) {
    std::error_code ec;
    fs::path entry = exeFolder.parent_path() / "share" / "applications" /
                     (std::string(ORVO_DESKTOP_ID) + ".desktop");
    if (fs::exists(entry, ec)) {
        return false;
    }
    return ::access(exeFolder.c_str(), W_OK) == 0;
}

ProgramFolderChoice programFolderChoice() {
    return chooseProgramFolder(ProgramFolderFacts::fromSystem());
}

fs::path programFolder() {
    return programFolderChoice().folder;
}

fs::path programPath() {
    return executable();
}

std::string programBaseName() {
    std::string name = executable().filename().native();
    if (name.size() > 4 &&
        IniDocument::sameName(std::string_view(name).substr(name.size() - 4), ".exe")) {
        name.resize(name.size() - 4);
    }
    return name;
}
