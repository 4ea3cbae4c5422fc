#include "support/ProgramFolder.h"

#include "support/FilePath.h"
#include "support/PrivateProfile.h"

#include <cstdlib>
#include <system_error>

namespace {

std::filesystem::path executable() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::current_path(ec) / "OrvoView";
    }
    return exe;
}

} // namespace

std::string programFolder() {
    if (const char* home = std::getenv("ORVOVIEW_HOME"); home && *home) {
        return withoutTrailingSeparator(cp932Path(std::filesystem::path(home)));
    }
    return withoutTrailingSeparator(cp932Path(executable().parent_path()));
}

std::string programPath() {
    return cp932Path(executable());
}

std::string programBaseName() {
    std::string name = cp932Path(executable().filename());
    if (name.size() > 4 &&
        IniDocument::sameName(std::string_view(name).substr(name.size() - 4), ".exe")) {
        name.resize(name.size() - 4);
    }
    return name;
}
