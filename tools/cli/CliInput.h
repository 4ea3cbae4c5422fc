#pragma once
// Inputs named on the command line: "-" is standard input, and a pipe (a FIFO, /dev/stdin
// on a pipe, a shell's <(...)) is read once to its end. The program's own inputs (the data
// file, a capture the reception reads) stay regular files only.
#include "support/OpenedFile.h"
#include "tools/cli/CliMain.h"
#include <cstddef>
#include <string>

namespace cli {

struct NamedInput {
    std::string arg;     // as given (UTF-8)
    bool stream = false; // "-" or a pipe: read once, to its end
    std::string shown;   // the name the messages give (UTF-8): "-" or the absolute path
};
NamedInput namedInput(const std::string& arg);

// Opens a stream input: standard input for "-", else the pipe (empty when it has no writer).
// Not open, errno set, on failure.
OpenedFile openStream(const NamedInput& input);

// What is left of an open stream, at most `limit` bytes: archives are read whole, and an
// endless input must not take all memory.
enum class StreamRead { Complete, TooLarge, Failed };
StreamRead readStream(OpenedFile& file, std::size_t limit, std::string& bytes);

// The most a piped data file or customer file may hold.
inline constexpr std::size_t kMaxStreamBytes = std::size_t(1) << 30;

// Opens and reads a stream input whole (at most kMaxStreamBytes); false, told, on failure.
bool readWholeStream(CliIo& io, const NamedInput& input, std::string& bytes);

} // namespace cli
