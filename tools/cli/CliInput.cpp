#include "tools/cli/CliInput.h"
#include "link/LinkTexts.h"
#include "store/StoreTexts.h"
#include "support/ArchiveError.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

NamedInput namedInput(const std::string& arg) {
    NamedInput input;
    input.arg = arg;
    if (arg == "-") {
        input.stream = true;
        input.shown = arg;
        return input;
    }
    input.shown = shownPath(arg);
    struct stat st {};
    input.stream = ::stat(arg.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
    return input;
}

OpenedFile openStream(const NamedInput& input) {
    if (input.arg == "-") {
        const int fd = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
        return fd < 0 ? OpenedFile() : OpenedFile(fd, std::string());
    }
    // A named pipe is read when its writer is there: one with none (a FIFO left at a file's
    // name) reads as empty at once instead of holding the tool until someone writes.
    const int fd = ::open(input.arg.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // No path: a read failure names the input itself.
    return OpenedFile(fd, std::string());
}

StreamRead readStream(OpenedFile& file, std::size_t limit, std::string& bytes) {
    bytes.clear();
    char buffer[65536];
    try {
        while (std::size_t n = file.read(buffer, sizeof buffer)) {
            if (n > limit - bytes.size())
                return StreamRead::TooLarge;
            bytes.append(buffer, n);
        }
    } catch (const FileAccessError&) {
        return StreamRead::Failed;
    }
    return StreamRead::Complete;
}

bool readWholeStream(CliIo& io, const NamedInput& input, std::string& bytes) {
    OpenedFile stream = openStream(input);
    if (!stream.isOpen()) {
        message(io, shownMessage(txt::store::kCannotOpen, input.shown));
        return false;
    }
    switch (readStream(stream, kMaxStreamBytes, bytes)) {
    case StreamRead::Complete:
        return true;
    case StreamRead::TooLarge:
        message(io, formatMessage(txt::cli::kInputTooLarge, static_cast<int>(kMaxStreamBytes >> 20),
                                  input.shown.c_str()));
        return false;
    case StreamRead::Failed:
        break;
    }
    message(io, shownMessage(txt::link::kFileReadFailed, input.shown));
    return false;
}

} // namespace cli
