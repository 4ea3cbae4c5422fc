#pragma once
#include <filesystem>

// Lets one copy of the program work on a program folder at a time: the GUI and the
// command-line tool both take this lock, without waiting. Held until release or destruction;
// the system drops it when the process ends, however it ends.
class InstanceLock {
public:
    static constexpr const char* kFileName = "OrvoView.lock";

    InstanceLock() = default;
    ~InstanceLock() { release(); }
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // One non-blocking try on "<folder>/OrvoView.lock". False when another holder has it or
    // the lock file cannot be created.
    bool tryAcquire(const std::filesystem::path& folder);
    bool held() const { return m_fd >= 0; }
    void release();

    // "<folder>/OrvoView.lock".
    static std::filesystem::path lockPath(const std::filesystem::path& folder);

private:
    int m_fd = -1;
};
