#include "support/FilePath.h"

#include "support/Sjis.h"

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

PathKind pathKind(std::string_view cp932) {
    std::error_code ec;
    auto status = std::filesystem::status(nativePath(cp932), ec);
    if (ec || !std::filesystem::exists(status)) {
        return PathKind::Missing;
    }
    return std::filesystem::is_directory(status) ? PathKind::Folder : PathKind::File;
}

bool createFolderPath(std::string_view cp932) {
    if (cp932.empty()) {
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(nativePath(cp932), ec);
    return pathKind(cp932) == PathKind::Folder;
}
