#include "support/OpenFailure.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "support/SupportTexts.h"

#include <cerrno>

namespace {

// The reason line; null when the system's own words are all there is.
const char* reasonText(int error, FileUse use) {
    switch (error) {
    case EACCES:
    case EPERM:
        return use == FileUse::Write ? txt::support::kReasonNoWritePermission.c_str()
                                     : txt::support::kReasonNoReadPermission.c_str();
    case EROFS:
        return txt::support::kReasonReadOnly;
    case ENOSPC:
    case EDQUOT:
        return txt::support::kReasonDiskFull;
    case ENAMETOOLONG:
        return txt::support::kReasonNameTooLong;
    case ENOENT:
    case ENOTDIR:
        return txt::support::kReasonNoFolder;
    case EISDIR:
        return txt::support::kReasonFolderAtName;
    case EWOULDBLOCK:
    case EBUSY:
    case ETXTBSY:
        return txt::support::kReasonInUse;
    default:
        return nullptr;
    }
}

bool namesTheFolder(int error, FileUse use) {
    return use == FileUse::Write &&
           (error == EACCES || error == EPERM || error == EROFS || error == ENOENT ||
            error == ENOTDIR || error == ENOSPC || error == EDQUOT);
}

} // namespace

std::string openFailureReason(std::error_code error, FileUse use,
                              const std::filesystem::path& path) {
    if (!error || error == std::errc::operation_canceled)
        return {};
    const int code = error.value();
    std::string out = "\n";
    if (const char* reason = reasonText(code, use))
        out += reason;
    else
        out +=
            formatText(txt::support::kReasonSystem, sjis::fromUtf8Shown(error.message()).c_str());
    if (namesTheFolder(code, use)) {
        const std::string folder = displayPath(path.parent_path());
        out += '\n';
        out += formatText(txt::support::kReasonFolder, folder.empty() ? "." : folder.c_str());
    }
    return out;
}
