// The baseline of the whole-process load: a program that reads a file into one block of new
// memory and ends. Usage: orvo_read_into_memory [--huge] FILE
// --huge asks for transparent huge pages on the block, as the program's load does for its own.
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    const bool huge = argc == 3 && std::strcmp(argv[1], "--huge") == 0;
    if (argc != (huge ? 3 : 2))
        return 2;
    const int fd = ::open(argv[argc - 1], O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return 1;
    const auto size = static_cast<std::size_t>(st.st_size);
    char* block = nullptr;
    if (huge) {
        void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            return 1;
        ::madvise(p, size, MADV_HUGEPAGE);
        block = static_cast<char*>(p);
    } else {
        block = new char[size];
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, block + done, size - done);
        if (n <= 0)
            return 1;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    // Something of the bytes is used, as a list would.
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; i += 4096)
        sum += static_cast<unsigned char>(block[i]);
    std::printf("%zu %u\n", size, sum);
    if (huge)
        ::munmap(block, size);
    else
        delete[] block;
    return 0;
}
