#pragma once
#include <cstdio>
#include <filesystem>

// An open file. Unbuffered at the C level: the archive does its own buffering.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(std::FILE* file) : m_file(file) {}
    FileHandle(FileHandle&& other) noexcept : m_file(other.m_file) { other.m_file = nullptr; }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // nullptr-holding handle when the file cannot be opened (errno tells why).
    static FileHandle openRead(const std::filesystem::path& path);
    static FileHandle openWrite(const std::filesystem::path& path); // create or truncate

    explicit operator bool() const { return m_file != nullptr; }
    std::FILE* get() const { return m_file; }
    // Flushes and forces the bytes to the disk; false on failure.
    bool sync();
    // Closes; false when the last writes failed.
    bool close();

private:
    std::FILE* m_file = nullptr;
};
