#include "support/RuntimeFolder.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A real folder (not a link) of this user's that only they may enter.
bool isPrivateFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 0077) == 0;
}

} // namespace

std::string privateRuntimeFolder(const char* xdgRuntimeDir, const std::string& home) {
    if (xdgRuntimeDir && *xdgRuntimeDir && isPrivateFolder(xdgRuntimeDir))
        return xdgRuntimeDir;
    if (home.empty())
        return {};
    // Not /tmp/runtime-<user>: another account may have made that name first.
    const std::string cache = home + "/.cache";
    ::mkdir(cache.c_str(), 0700);
    const std::string folder = cache + "/OrvoView-runtime";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    return isPrivateFolder(folder) ? folder : std::string();
}
