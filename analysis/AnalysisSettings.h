#pragma once
// The limits entered per circuit, kept in a small INI file of their own in the DATA folder
// (the data file stays as it is). One numbered section per circuit names its customer and
// circuit, since names may hold any byte a section header cannot.
#include "analysis/CircuitLimits.h"
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

inline constexpr char kAnalysisSettingsFileName[] = "Analysis.INI";

class AnalysisSettings {
public:
    // Limits of a circuit; the defaults when none were entered. Names compare like store keys.
    CircuitLimits limitsFor(std::string_view customer, std::string_view circuit) const;
    void setLimits(std::string_view customer, std::string_view circuit,
                   const CircuitLimits& limits);

    // An analysis page after the graph page when printing (off unless chosen).
    bool printAnalysisPage() const { return m_printAnalysisPage; }
    void setPrintAnalysisPage(bool on) { m_printAnalysisPage = on; }

    // The file text (CP932, CR LF) and back. Unreadable values keep their defaults; a section
    // without both names is skipped.
    std::string text() const;
    static AnalysisSettings fromText(std::string_view text);

    // A missing or unreadable file gives no entries. save replaces the file atomically.
    static AnalysisSettings load(const std::filesystem::path& path);
    bool save(const std::filesystem::path& path, std::error_code& error) const;

    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::string customer;
        std::string circuit;
        CircuitLimits limits;
    };
    Entry* find(std::string_view customer, std::string_view circuit);
    std::vector<Entry> m_entries;
    bool m_printAnalysisPage = false;
};

// "<dataFolder>/Analysis.INI".
std::filesystem::path analysisSettingsPath(const std::filesystem::path& dataFolder);
