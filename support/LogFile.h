#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "support/Format.h"
#include "support/SjisText.h"

// Time-stamped text lines in a small set of files that rotate by date. Every write opens,
// appends and closes the file under a lock shared by all threads and processes that write the
// same log, so several running copies may share one log.
//
// Files: "<prefix><g>.LOG" with g = generation modulo the number of generations, where the
// generation counts periods of daysPerFile days from 1998-01-01 (local time); "<prefix>E.LOG"
// takes the lines while the generation file cannot be opened. A generation file from an older
// period (by its modification time) or above maxBytes is deleted before the next line.
class LogFile {
public:
    using Sleep = std::function<void(std::chrono::milliseconds)>;

    // Stores the parameters; touches no file. An empty prefix switches logging off. The prefix
    // is a path: the folder and the start of the file names.
    void OpenLog(std::filesystem::path prefix, int32_t daysPerFile, int32_t generations,
                 uint32_t retryMs, int32_t maxBytes);
    bool isOpen() const { return !m_prefix.empty(); }
    const std::filesystem::path& prefix() const { return m_prefix; }

    // Stamp + text + line break.
    void WriteLine(sjis::Text text);
    // Stamp + text; the rest of the line follows with WriteRaw.
    void WriteStamped(sjis::Text text);
    // Text + line break, no stamp.
    void WriteRaw(sjis::Text text);
    // printf rules, then as WriteLine.
    template <typename... Args> void WriteFormat(sjis::Text format, Args... args) {
        if (isOpen())
            WriteLine(formatText(format, args...));
    }

    // Whole days from 1998-01-01 00:00 local time to t.
    static int64_t dayNumber(std::chrono::system_clock::time_point t);
    // The generation (not yet reduced modulo the number of generations) of a day number.
    int64_t generationOf(int64_t day) const;
    // "<prefix><g>.LOG" for the time t.
    std::filesystem::path generationFileName(std::chrono::system_clock::time_point t) const;
    std::filesystem::path fallbackFileName() const;

    // The stamp "%02d/%02d %02d:%02d:%02d[%08lu](%8lu)" for local time t and tick, with the
    // milliseconds since the previous tick (0 when there is none).
    static std::string formatStamp(std::chrono::system_clock::time_point t, uint32_t tick,
                                   uint32_t sincePrevious);

    // Seams for tests: the pause between open attempts (100 ms) and how to wait.
    void setRetryInterval(std::chrono::milliseconds interval) { m_retryInterval = interval; }
    void setSleep(Sleep sleep) { m_sleep = std::move(sleep); }

private:
    void write(std::string_view text, bool stamp, bool lineBreak);

    std::filesystem::path m_prefix;
    int32_t m_daysPerFile = 7;
    int32_t m_generations = 4;
    uint32_t m_retryMs = 10000;
    int32_t m_maxBytes = 5242880;
    int32_t m_generationMode = 0;
    std::chrono::milliseconds m_retryInterval{100};
    Sleep m_sleep;
};
