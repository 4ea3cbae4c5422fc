#include "support/FilePath.h"

#include "support/Sjis.h"

#include <sys/stat.h>
#include <system_error>

std::filesystem::path nativePath(std::string_view cp932) {
    return std::filesystem::path(sjis::toUtf8(cp932));
}

std::string cp932Path(const std::filesystem::path& path) {
    return sjis::fromUtf8(path.string());
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

std::string pathInFolder(std::string_view folder, std::string_view name) {
    return joinPath(withoutTrailingSeparator(folder), name);
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

PathKind pathKind(std::string_view cp932) {
    std::error_code ec;
    const auto status = std::filesystem::status(nativePath(cp932), ec);
    return kindOf(status, ec);
}

PathKind nameKind(std::string_view cp932) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(nativePath(cp932), ec);
    return kindOf(status, ec);
}

bool createFolderPath(std::string_view cp932, FolderAccess access) {
    if (cp932.empty()) {
        return false;
    }
    const std::filesystem::path target = nativePath(cp932);
    if (access == FolderAccess::Default) {
        std::error_code ec;
        std::filesystem::create_directories(target, ec);
        return pathKind(cp932) == PathKind::Folder;
    }
    // Parent by parent, each new one made 0700 from the start (mkdir's mode, umask aside).
    std::filesystem::path partial;
    for (const std::filesystem::path& part : target) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            ::chmod(partial.c_str(), 0700);
        }
    }
    return pathKind(cp932) == PathKind::Folder;
}
