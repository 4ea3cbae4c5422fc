#include "support/FilePath.h"

#include "support/Sjis.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

fs::path pathFromCp932(std::string_view cp932) {
    return fs::path(sjis::toUtf8(cp932));
}

std::optional<std::string> cp932FromPath(const fs::path& path) {
    return sjis::fromUtf8(path.native());
}

std::string displayPath(const fs::path& path) {
    return sjis::fromUtf8Shown(path.native());
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    out += kPathSeparator;
    out += name;
    return out;
}

std::string withoutTrailingSeparator(std::string_view folder, char separator) {
    std::string out(folder);
    if (!out.empty() && out.back() == separator && !sjis::isTrailByteAt(out, out.size() - 1)) {
        out.pop_back();
    }
    return out;
}

fs::path withoutTrailingSlash(const fs::path& folder) {
    std::string out = folder.native();
    if (out.size() > 1 && out.back() == kPathSeparator)
        out.pop_back();
    return fs::path(std::move(out));
}

fs::path pathInFolder(const fs::path& folder, const fs::path& name) {
    std::string out = withoutTrailingSlash(folder).native();
    if (out != "/")
        out += kPathSeparator;
    out += name.native();
    return fs::path(std::move(out));
}

std::string fileNameOf(std::string_view name) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (sjis::isLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < out.size()) {
            ++i;
        } else if (out[i] == '/' || out[i] == '\\' || out[i] == '\0') {
            out[i] = '_';
        }
    }
    return out;
}

namespace {

PathKind kindOf(const std::filesystem::file_status& status, const std::error_code& ec) {
    if (ec || !std::filesystem::exists(status)) {
        return PathKind::Missing;
    }
    return std::filesystem::is_directory(status) ? PathKind::Folder : PathKind::File;
}

} // namespace

PathKind pathKind(const fs::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return kindOf(status, ec);
}

PathKind nameKind(const fs::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    return kindOf(status, ec);
}

bool createFolderPath(const fs::path& target, FolderAccess access) {
    if (target.empty()) {
        return false;
    }
    if (access == FolderAccess::Default) {
        std::error_code ec;
        std::filesystem::create_directories(target, ec);
        return pathKind(target) == PathKind::Folder;
    }
    // Parent by parent, each new one made 0700 from the start (mkdir's mode, umask aside).
    std::filesystem::path partial;
    for (const std::filesystem::path& part : target) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            ::chmod(partial.c_str(), 0700);
        }
    }
    return pathKind(target) == PathKind::Folder;
}

bool isWindowsPath(const fs::path& path) {
    const std::string& text = path.native();
    const bool drive = text.size() >= 2 && text[1] == ':' &&
                       ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
    return drive || text.find('\\') != std::string::npos;
}

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home);
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir)
        return fs::path(account->pw_dir);
    return fs::path("/");
}

fs::path startFolder(const fs::path& remembered, const fs::path& home) {
    if (!remembered.empty() && remembered.is_absolute() && !isWindowsPath(remembered) &&
        pathKind(remembered) == PathKind::Folder)
        return remembered;
    return home;
}
