#include "textout/ReportHeader.h"

#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"
#include "textout/TextoutTexts.h"

#include <algorithm>
#include <charconv>

namespace {

// A value is one line of the file: control characters (never a second byte in CP932) become
// blanks.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    return out;
}

// Quoted so that leading or trailing blanks survive the profile's trimming.
std::string inQuotes(std::string_view text) {
    return "\"" + oneLine(text) + "\"";
}

int clampedCount(int count) {
    return std::clamp(count, 0, kMaxStampBoxes);
}

// A whole decimal number held to 0-4; nothing when the text is not one.
std::optional<int> stampCountOf(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    long long v = 0;
    const char* end = text->data() + text->size();
    const auto r = std::from_chars(text->data(), end, v);
    if (r.ptr != end || text->empty())
        return std::nullopt;
    if (r.ec == std::errc::result_out_of_range)
        return text->front() == '-' ? 0 : kMaxStampBoxes;
    if (r.ec != std::errc())
        return std::nullopt;
    return static_cast<int>(std::clamp<long long>(v, 0, kMaxStampBoxes));
}

std::string stampKey(int i) {
    return "Stamp" + std::to_string(i + 1);
}

} // namespace

ReportHeader::ReportHeader()
    : stampCaptions{txt::textout::kStampCaption1, txt::textout::kStampCaption2,
                    txt::textout::kStampCaption3, txt::textout::kStampCaption4} {}

std::vector<std::string> ReportHeader::stamps() const {
    return {stampCaptions.begin(), stampCaptions.begin() + clampedCount(stampCount)};
}

bool ReportHeaderSettings::Signers::any() const {
    return inspector || company || stampCount ||
           std::any_of(stampCaptions.begin(), stampCaptions.end(),
                       [](const auto& c) { return c.has_value(); });
}

const ReportHeaderSettings::Customer*
ReportHeaderSettings::findCustomer(std::string_view name) const {
    for (const Customer& c : m_customers)
        if (sjis::compareNoCase(c.name, name) == 0)
            return &c;
    return nullptr;
}

const ReportHeaderSettings::Circuit*
ReportHeaderSettings::findCircuit(std::string_view customer, std::string_view circuit) const {
    for (const Circuit& c : m_circuits)
        if (sjis::compareNoCase(c.customer, customer) == 0 &&
            sjis::compareNoCase(c.name, circuit) == 0)
            return &c;
    return nullptr;
}

ReportHeader ReportHeaderSettings::headerFor(std::string_view customer,
                                             std::string_view circuit) const {
    ReportHeader h = m_general;
    h.address.clear();
    h.remarks.clear();
    if (const Customer* c = findCustomer(customer)) {
        h.address = c->address;
        const Signers& own = c->own;
        h.inspector = own.inspector.value_or(h.inspector);
        h.company = own.company.value_or(h.company);
        h.stampCount = own.stampCount.value_or(h.stampCount);
        for (int i = 0; i < kMaxStampBoxes; ++i)
            h.stampCaptions[i] = own.stampCaptions[i].value_or(h.stampCaptions[i]);
    }
    if (const Circuit* c = findCircuit(customer, circuit))
        h.remarks = c->remarks;
    return h;
}

std::optional<ReportHeader> ReportHeaderSettings::printedHeader(std::string_view customer,
                                                                std::string_view circuit) const {
    if (!m_shown)
        return std::nullopt;
    return headerFor(customer, circuit);
}

bool ReportHeaderSettings::customerHasOwn(std::string_view customer) const {
    const Customer* c = findCustomer(customer);
    return c && c->own.any();
}

void ReportHeaderSettings::setHeader(std::string_view customer, std::string_view circuit,
                                     const ReportHeader& header, bool customerOwn) {
    auto* c = const_cast<Customer*>(findCustomer(customer));
    if (!c) {
        m_customers.push_back({std::string(customer), {}, {}});
        c = &m_customers.back();
    }
    c->address = oneLine(header.address);
    Signers own;
    if (customerOwn) {
        own.inspector = oneLine(header.inspector);
        own.company = oneLine(header.company);
        own.stampCount = clampedCount(header.stampCount);
        for (int i = 0; i < kMaxStampBoxes; ++i)
            own.stampCaptions[i] = oneLine(header.stampCaptions[i]);
    } else {
        m_general.inspector = oneLine(header.inspector);
        m_general.company = oneLine(header.company);
        m_general.stampCount = clampedCount(header.stampCount);
        for (int i = 0; i < kMaxStampBoxes; ++i)
            m_general.stampCaptions[i] = oneLine(header.stampCaptions[i]);
    }
    c->own = own;
    if (auto* r = const_cast<Circuit*>(findCircuit(customer, circuit)))
        r->remarks = oneLine(header.remarks);
    else
        m_circuits.push_back(
            {std::string(customer), std::string(circuit), oneLine(header.remarks)});
}

std::string ReportHeaderSettings::text() const {
    std::string out;
    auto section = [&](const std::string& name) { out += "[" + name + "]\r\n"; };
    auto key = [&](const std::string& name, const std::string& value) {
        out += name + "=" + value + "\r\n";
    };
    section("Header");
    key("Show", m_shown ? "1" : "0");
    key("Inspector", inQuotes(m_general.inspector));
    key("Company", inQuotes(m_general.company));
    key("StampBoxes", std::to_string(clampedCount(m_general.stampCount)));
    for (int i = 0; i < kMaxStampBoxes; ++i)
        key(stampKey(i), inQuotes(m_general.stampCaptions[i]));
    for (std::size_t i = 0; i < m_customers.size(); ++i) {
        const Customer& c = m_customers[i];
        section("Customer" + std::to_string(i + 1));
        key("Customer", inQuotes(c.name));
        key("Address", inQuotes(c.address));
        // Only what differs from the general part.
        if (c.own.inspector)
            key("Inspector", inQuotes(*c.own.inspector));
        if (c.own.company)
            key("Company", inQuotes(*c.own.company));
        if (c.own.stampCount)
            key("StampBoxes", std::to_string(clampedCount(*c.own.stampCount)));
        for (int s = 0; s < kMaxStampBoxes; ++s)
            if (c.own.stampCaptions[s])
                key(stampKey(s), inQuotes(*c.own.stampCaptions[s]));
    }
    for (std::size_t i = 0; i < m_circuits.size(); ++i) {
        const Circuit& c = m_circuits[i];
        section("Circuit" + std::to_string(i + 1));
        key("Customer", inQuotes(c.customer));
        key("Circuit", inQuotes(c.name));
        key("Remarks", inQuotes(c.remarks));
    }
    return out;
}

ReportHeaderSettings ReportHeaderSettings::fromText(std::string_view text) {
    ReportHeaderSettings settings;
    const IniDocument::Index index = IniDocument(text).index();
    auto value = [&](const std::string& section,
                     const std::string& key) -> std::optional<std::string> {
        const auto s = index.find(IniDocument::foldName(section));
        if (s == index.end())
            return std::nullopt;
        const auto k = s->second.find(IniDocument::foldName(key));
        if (k == s->second.end())
            return std::nullopt;
        return oneLine(k->second);
    };
    auto exists = [&](const std::string& section) {
        return index.contains(IniDocument::foldName(section));
    };
    auto readSigners = [&](const std::string& s) {
        Signers found;
        found.inspector = value(s, "Inspector");
        found.company = value(s, "Company");
        found.stampCount = stampCountOf(value(s, "StampBoxes"));
        for (int i = 0; i < kMaxStampBoxes; ++i)
            found.stampCaptions[i] = value(s, stampKey(i));
        return found;
    };
    settings.m_shown = value("Header", "Show").value_or("0") == "1";
    const Signers general = readSigners("Header");
    ReportHeader& g = settings.m_general;
    g.inspector = general.inspector.value_or(g.inspector);
    g.company = general.company.value_or(g.company);
    g.stampCount = general.stampCount.value_or(g.stampCount);
    for (int i = 0; i < kMaxStampBoxes; ++i)
        g.stampCaptions[i] = general.stampCaptions[i].value_or(g.stampCaptions[i]);
    // Sections are numbered from 1 without holes; the first missing one ends each list, one
    // without its names is skipped. A name given twice: the later section holds, as setHeader
    // would have it.
    for (int i = 1;; ++i) {
        const std::string s = "Customer" + std::to_string(i);
        if (!exists(s))
            break;
        std::optional<std::string> name = value(s, "Customer");
        if (!name || name->empty())
            continue;
        Customer c{*name, value(s, "Address").value_or(""), readSigners(s)};
        if (auto* old = const_cast<Customer*>(settings.findCustomer(*name)))
            *old = std::move(c);
        else
            settings.m_customers.push_back(std::move(c));
    }
    for (int i = 1;; ++i) {
        const std::string s = "Circuit" + std::to_string(i);
        if (!exists(s))
            break;
        std::optional<std::string> customer = value(s, "Customer");
        std::optional<std::string> circuit = value(s, "Circuit");
        if (!customer || !circuit || customer->empty() || circuit->empty())
            continue;
        Circuit c{*customer, *circuit, value(s, "Remarks").value_or("")};
        if (auto* old = const_cast<Circuit*>(settings.findCircuit(*customer, *circuit)))
            *old = std::move(c);
        else
            settings.m_circuits.push_back(std::move(c));
    }
    return settings;
}

ReportHeaderSettings ReportHeaderSettings::load(std::string_view cp932Path) {
    const std::optional<std::string> bytes = readWholeFile(cp932Path);
    return bytes ? fromText(*bytes) : ReportHeaderSettings();
}

bool ReportHeaderSettings::save(std::string_view cp932Path, std::error_code& error) const {
    return writeFileAtomically(cp932Path, text(), error);
}

std::string reportHeaderPath(const std::string& dataFolder) {
    return joinPath(dataFolder, kReportHeaderFileName);
}
