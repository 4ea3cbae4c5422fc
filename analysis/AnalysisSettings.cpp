#include "analysis/AnalysisSettings.h"

#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"

#include <charconv>
#include <cmath>
#include <string>

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

void readNumber(const IniDocument& ini, const std::string& section, const char* key,
                double& target) {
    std::optional<std::string> text = ini.value(section, key);
    if (!text)
        return;
    double v = 0.0;
    auto r = std::from_chars(text->data(), text->data() + text->size(), v);
    if (r.ec == std::errc() && r.ptr == text->data() + text->size() && std::isfinite(v) && v >= 0)
        target = v;
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
    IniDocument ini;
    ini.set("Print", "AnalysisPage", m_printAnalysisPage ? "1" : "0");
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        const std::string s = sectionName(i);
        ini.set(s, "Customer", inQuotes(e.customer));
        ini.set(s, "Circuit", inQuotes(e.circuit));
        ini.set(s, "ContractDemand", numberText(e.limits.contractDemand));
        ini.set(s, "VoltageBand", std::to_string(static_cast<int>(e.limits.band)));
        ini.set(s, "VoltageLow", numberText(e.limits.userLow));
        ini.set(s, "VoltageHigh", numberText(e.limits.userHigh));
        ini.set(s, "PowerFactorThreshold", numberText(e.limits.powerFactorThreshold));
    }
    return ini.text();
}

AnalysisSettings AnalysisSettings::fromText(std::string_view text) {
    AnalysisSettings settings;
    const IniDocument ini(text);
    settings.m_printAnalysisPage = ini.value("Print", "AnalysisPage").value_or("0") == "1";
    // Sections are numbered from 1 without holes; the first missing one ends the list.
    for (std::size_t i = 0;; ++i) {
        const std::string s = sectionName(i);
        std::optional<std::string> customer = ini.value(s, "Customer");
        std::optional<std::string> circuit = ini.value(s, "Circuit");
        if (!customer && !circuit)
            break;
        if (!customer || !circuit || customer->empty() || circuit->empty())
            continue;
        CircuitLimits limits;
        readNumber(ini, s, "ContractDemand", limits.contractDemand);
        double band = 0.0;
        readNumber(ini, s, "VoltageBand", band);
        if (band >= 0 && band <= static_cast<int>(VoltageBandKind::None) &&
            band == std::floor(band))
            limits.band = static_cast<VoltageBandKind>(static_cast<int>(band));
        readNumber(ini, s, "VoltageLow", limits.userLow);
        readNumber(ini, s, "VoltageHigh", limits.userHigh);
        readNumber(ini, s, "PowerFactorThreshold", limits.powerFactorThreshold);
        settings.setLimits(*customer, *circuit, limits);
    }
    return settings;
}

AnalysisSettings AnalysisSettings::load(const std::filesystem::path& path) {
    std::optional<std::string> bytes = readWholeFile(path);
    return bytes ? fromText(*bytes) : AnalysisSettings();
}

bool AnalysisSettings::save(const std::filesystem::path& path, std::error_code& error) const {
    return writeFileAtomically(path, text(), error);
}

std::filesystem::path analysisSettingsPath(const std::filesystem::path& dataFolder) {
    return pathInFolder(dataFolder, kAnalysisSettingsFileName);
}
