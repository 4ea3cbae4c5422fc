#include "analysis/AnalysisSettings.h"

#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"

#include <charconv>
#include <cmath>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unordered_map>

namespace {

std::string sectionName(std::size_t i) {
    return "Circuit" + std::to_string(i + 1);
}

// Locale-free number texts: the GUI may run under any locale.
std::string numberText(double v) {
    char buffer[32];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

void readNumber(const std::optional<std::string>& text, double& target) {
    if (!text)
        return;
    double v = 0.0;
    auto r = std::from_chars(text->data(), text->data() + text->size(), v);
    if (r.ec == std::errc() && r.ptr == text->data() + text->size() && std::isfinite(v) && v >= 0)
        target = v;
}

// The key of an entry: both names as the store compares them.
std::string entryKey(std::string_view customer, std::string_view circuit) {
    return IniDocument::foldName(customer) + '\0' + IniDocument::foldName(circuit);
}

// Names are written quoted so that leading or trailing blanks survive the profile's trimming.
std::string inQuotes(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

} // namespace

AnalysisSettings::Entry* AnalysisSettings::find(std::string_view customer,
                                                std::string_view circuit) {
    for (Entry& e : m_entries) {
        if (sjis::compareNoCase(e.customer, customer) == 0 &&
            sjis::compareNoCase(e.circuit, circuit) == 0)
            return &e;
    }
    return nullptr;
}

CircuitLimits AnalysisSettings::limitsFor(std::string_view customer,
                                          std::string_view circuit) const {
    const Entry* e = const_cast<AnalysisSettings*>(this)->find(customer, circuit);
    return e ? e->limits : CircuitLimits();
}

void AnalysisSettings::setLimits(std::string_view customer, std::string_view circuit,
                                 const CircuitLimits& limits) {
    if (Entry* e = find(customer, circuit))
        e->limits = limits;
    else
        m_entries.push_back({std::string(customer), std::string(circuit), limits});
}

std::string AnalysisSettings::text() const {
    // Written straight out, as the profile lays out a new file, in one pass for any count.
    std::string out;
    auto section = [&](const std::string& name) { out += "[" + name + "]\r\n"; };
    auto key = [&](const char* name, const std::string& value) {
        out += name;
        out += '=';
        out += value;
        out += "\r\n";
    };
    section("Print");
    key("AnalysisPage", m_printAnalysisPage ? "1" : "0");
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        section(sectionName(i));
        key("Customer", inQuotes(e.customer));
        key("Circuit", inQuotes(e.circuit));
        key("ContractDemand", numberText(e.limits.contractDemand));
        key("VoltageBand", std::to_string(static_cast<int>(e.limits.band)));
        key("VoltageLow", numberText(e.limits.userLow));
        key("VoltageHigh", numberText(e.limits.userHigh));
        key("PowerFactorThreshold", numberText(e.limits.powerFactorThreshold));
    }
    return out;
}

AnalysisSettings AnalysisSettings::fromText(std::string_view text) {
    AnalysisSettings settings;
    // One pass over the file and one look-up per key: linear in the number of circuits.
    const IniDocument::Index index = IniDocument(text).index();
    auto value = [&](const std::string& section, const char* key) -> std::optional<std::string> {
        const auto s = index.find(IniDocument::foldName(section));
        if (s == index.end())
            return std::nullopt;
        const auto k = s->second.find(IniDocument::foldName(key));
        return k == s->second.end() ? std::nullopt : std::optional<std::string>(k->second);
    };
    settings.m_printAnalysisPage = value("Print", "AnalysisPage").value_or("0") == "1";
    std::unordered_map<std::string, std::size_t> entryOf;
    // Sections are numbered from 1 without holes; the first missing one ends the list.
    for (std::size_t i = 0;; ++i) {
        const std::string s = sectionName(i);
        std::optional<std::string> customer = value(s, "Customer");
        std::optional<std::string> circuit = value(s, "Circuit");
        if (!customer && !circuit)
            break;
        if (!customer || !circuit || customer->empty() || circuit->empty())
            continue;
        CircuitLimits limits;
        readNumber(value(s, "ContractDemand"), limits.contractDemand);
        double band = 0.0;
        readNumber(value(s, "VoltageBand"), band);
        if (band >= 0 && band <= static_cast<int>(VoltageBandKind::None) &&
            band == std::floor(band))
            limits.band = static_cast<VoltageBandKind>(static_cast<int>(band));
        readNumber(value(s, "VoltageLow"), limits.userLow);
        readNumber(value(s, "VoltageHigh"), limits.userHigh);
        readNumber(value(s, "PowerFactorThreshold"), limits.powerFactorThreshold);
        // A circuit named twice: the later section holds, as setLimits would have it.
        const auto [at, added] =
            entryOf.emplace(entryKey(*customer, *circuit), settings.m_entries.size());
        if (added)
            settings.m_entries.push_back({std::move(*customer), std::move(*circuit), limits});
        else
            settings.m_entries[at->second].limits = limits;
    }
    return settings;
}

AnalysisSettings AnalysisSettings::load(const std::filesystem::path& path) {
    // Read once and kept until the file changes (a new inode, size or modification time):
    // the views ask at every selection and refresh.
    struct Cached {
        bool present = false;
        struct stat st {};
        AnalysisSettings settings;
    };
    static std::mutex mutex;
    static std::unordered_map<std::string, Cached> cache;
    struct stat st {};
    const bool present = ::stat(path.c_str(), &st) == 0;
    std::lock_guard lock(mutex);
    Cached& entry = cache[path.native()];
    const bool same = entry.present == present &&
                      (!present || (entry.st.st_ino == st.st_ino && entry.st.st_dev == st.st_dev &&
                                    entry.st.st_size == st.st_size &&
                                    entry.st.st_mtim.tv_sec == st.st_mtim.tv_sec &&
                                    entry.st.st_mtim.tv_nsec == st.st_mtim.tv_nsec));
    if (!same) {
        std::optional<std::string> bytes = present ? readWholeFile(path) : std::nullopt;
        entry.present = present;
        entry.st = st;
        entry.settings = bytes ? fromText(*bytes) : AnalysisSettings();
    }
    return entry.settings;
}

bool AnalysisSettings::save(const std::filesystem::path& path, std::error_code& error) const {
    return writeFileAtomically(path, text(), error);
}

std::filesystem::path analysisSettingsPath(const std::filesystem::path& dataFolder) {
    return pathInFolder(dataFolder, kAnalysisSettingsFileName);
}
