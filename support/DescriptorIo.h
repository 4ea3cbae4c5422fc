#pragma once
#include <cstddef>
#include <string_view>
#include <sys/types.h>

// The one write loop and read call on a file descriptor: an interrupted call is repeated, a
// short write goes on with the rest.

// Writes all bytes; 0, or the errno of the failed write (ENOSPC when the file takes no byte).
int writeAll(int fd, std::string_view bytes);

// Up to size bytes (0 at the end of the file); -1 with errno set on a read error.
ssize_t readSome(int fd, void* buffer, std::size_t size);
