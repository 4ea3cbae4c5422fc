#pragma once
// The report header an inspector hands over: who measured, for whom, remarks and the boxes for
// the seals. Kept in a small INI file of its own in the DATA folder, next to the analysis
// settings: one general part, a section per customer for its address and for whatever differs
// from the general part, a section per circuit for its remarks.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

inline constexpr char kReportHeaderFileName[] = "ReportHeader.INI";
inline constexpr int kMaxStampBoxes = 4;

// What one report's header shows (CP932 texts, single lines).
struct ReportHeader {
    std::string inspector;
    std::string company;
    std::string address;
    std::string remarks;
    int stampCount = 3; // 0-4
    std::array<std::string, kMaxStampBoxes> stampCaptions;

    ReportHeader();
    // The captions of the boxes shown, left to right.
    std::vector<std::string> stamps() const;
    friend bool operator==(const ReportHeader&, const ReportHeader&) = default;
};

class ReportHeaderSettings {
public:
    // The header on printed pages and workbooks (off unless chosen).
    bool shown() const { return m_shown; }
    void setShown(bool on) { m_shown = on; }

    // The header of a report of that circuit: the general part with the customer's own values,
    // the customer's address and the circuit's remarks. Names compare like store keys.
    ReportHeader headerFor(std::string_view customer, std::string_view circuit) const;
    // headerFor when shown, else nothing.
    std::optional<ReportHeader> printedHeader(std::string_view customer,
                                              std::string_view circuit) const;
    // The customer keeps inspector, company and stamp boxes of its own.
    bool customerHasOwn(std::string_view customer) const;

    // Keeps the address for the customer and the remarks for the circuit; inspector, company
    // and stamp boxes become the general part, or with `customerOwn` the customer's own (the
    // general part stays). Line breaks and other control characters become blanks; the stamp
    // count is held to 0-4.
    void setHeader(std::string_view customer, std::string_view circuit, const ReportHeader& header,
                   bool customerOwn);

    // The file text (CP932, CR LF) and back. Damaged values keep their defaults; a stamp count
    // out of range is held to 0-4; a section without its names is skipped.
    std::string text() const;
    static ReportHeaderSettings fromText(std::string_view text);

    // A missing or unreadable file gives the defaults. save replaces the file atomically.
    static ReportHeaderSettings load(std::string_view cp932Path);
    bool save(std::string_view cp932Path, std::error_code& error) const;

private:
    // Inspector, company and stamp boxes; a customer's values where they differ.
    struct Signers {
        std::optional<std::string> inspector;
        std::optional<std::string> company;
        std::optional<int> stampCount;
        std::array<std::optional<std::string>, kMaxStampBoxes> stampCaptions;
        bool any() const;
    };
    struct Customer {
        std::string name;
        std::string address;
        Signers own;
    };
    struct Circuit {
        std::string customer;
        std::string name;
        std::string remarks;
    };
    const Customer* findCustomer(std::string_view name) const;
    const Circuit* findCircuit(std::string_view customer, std::string_view circuit) const;

    bool m_shown = false;
    ReportHeader m_general;
    std::vector<Customer> m_customers;
    std::vector<Circuit> m_circuits;
};

// "<dataFolder>/ReportHeader.INI".
std::string reportHeaderPath(const std::string& dataFolder);
