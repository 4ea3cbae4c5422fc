#pragma once
// Archive encoding of every record, field by field in declaration order, little-endian.
// Containers are written as a count and their elements in key order; reading a container
// clears it and inserts each element by its key (a repeated key keeps the first position and
// takes the later content).
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/DAT_Records.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace archive {

// Signature texts and the one version this program reads and writes.
inline constexpr std::string_view kDataFileSignature = "56a5s440s-20061215-ds56sd40v1";
inline constexpr std::string_view kCustomerSignature = "cust-20061215-ds56sd40v1";
inline constexpr int32_t kVersion = 3;

// Smallest encoded sizes, for checking counts against the bytes left.
inline constexpr std::size_t kDateTimeBytes = 12;
inline constexpr std::size_t kPeakRecordBytes = 8 + 2 * kDateTimeBytes; // 32
inline constexpr std::size_t kSampleBytes = kDateTimeBytes + 9 * 8;     // 84
inline constexpr std::size_t kSummaryBytes =
    10 * 8 + 4 * kPeakRecordBytes + 3 * (2 * 8 + 4 * kPeakRecordBytes); // 640
inline constexpr std::size_t kMinDayDataBytes = 2 + kSummaryBytes + 4 + 4 + 8 + 8;
inline constexpr std::size_t kMinDayBytes = 4 + kDateTimeBytes + kMinDayDataBytes;
inline constexpr std::size_t kMinCircuitBytes = 2 + 1;
inline constexpr std::size_t kMinCustomerBytes = 2 + (1 + kCustomerSignature.size() + 4) + 1;

// A signature block that does not match: the text differs, or the version is not 3.
class SignatureError : public std::runtime_error {
public:
    enum Kind { WrongText, WrongVersion };
    SignatureError(Kind kind, int32_t version)
        : std::runtime_error(kind == WrongText ? "signature text differs" : "version differs"),
          m_kind(kind), m_version(version) {}
    Kind kind() const { return m_kind; }
    int32_t version() const { return m_version; }

private:
    Kind m_kind;
    int32_t m_version;
};

// The version field of the signature block read last (data file or export file), program-wide;
// 0 before any read.
int32_t lastReadDataVersion();

void writeSignature(ArchiveWriter& out, std::string_view text);
// Reads text and version; remembers the version; throws SignatureError on a mismatch.
void readSignature(ArchiveReader& in, std::string_view expected);

void write(ArchiveWriter& out, const DateTime& v);
void write(ArchiveWriter& out, const PeakRecord& v);
void write(ArchiveWriter& out, const IntervalSample& v);
void write(ArchiveWriter& out, const DaySummary& v);
void write(ArchiveWriter& out, const DayData& v);
void write(ArchiveWriter& out, const MeasurementDay& v);
void write(ArchiveWriter& out, const MeasurementCircuit& v);
void write(ArchiveWriter& out, const Customer& v);
void write(ArchiveWriter& out, const MeasurementStore& v);
void write(ArchiveWriter& out, const SerialSettings& v);

void read(ArchiveReader& in, DateTime& v);
void read(ArchiveReader& in, PeakRecord& v);
void read(ArchiveReader& in, IntervalSample& v);
void read(ArchiveReader& in, DaySummary& v);
void read(ArchiveReader& in, DayData& v);
void read(ArchiveReader& in, MeasurementDay& v);
void read(ArchiveReader& in, MeasurementCircuit& v);
void read(ArchiveReader& in, Customer& v);
void read(ArchiveReader& in, MeasurementStore& v);
void read(ArchiveReader& in, SerialSettings& v);

} // namespace archive
