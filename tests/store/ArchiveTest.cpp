#include "StoreTestSupport.h"
#include "store/ArchiveReader.h"
#include "store/ArchiveWriter.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/FileSource.h"
#include "store/MemorySink.h"
#include "store/MemorySource.h"
#include "support/Sjis.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string encodeStore(const MeasurementStore& s) {
    MemorySink sink;
    ArchiveWriter out(sink);
    archive::write(out, s);
    out.flush();
    return sink.bytes();
}

MeasurementStore decodeStore(const std::string& bytes) {
    MemorySource src(bytes);
    ArchiveReader in(src);
    MeasurementStore s;
    archive::read(in, s);
    EXPECT_EQ(in.bytesLeft(), 0u);
    return s;
}

} // namespace

TEST(DataFileBytes, EmptyStoreIsExactlyHeaderSettingsAndZeroCount) {
    Bytes expected;
    expected.u8(29).raw(kDataSig).i32(3);
    defaultSerial(expected).u16(0);
    std::string bytes = datafile::encode(SerialSettings(), MeasurementStore());
    EXPECT_EQ(bytes, expected.str());
    EXPECT_EQ(bytes.size(), 1u + 29 + 4 + 24 + 2);
}

TEST(ArchiveGolden, SmallStoreMatchesHandWrittenBytes) {
    EXPECT_EQ(encodeStore(smallStore()), smallStoreBytes());
}

TEST(ArchiveGolden, HandWrittenBytesReadBackToSmallStore) {
    MeasurementStore s = decodeStore(smallStoreBytes());
    ASSERT_EQ(s.count(), 1);
    const MeasurementCircuit& c = s.at(0).circuits.at(0);
    ASSERT_EQ(c.days.count(), 1);
    const DayData& d = c.days.at(0).data;
    ASSERT_EQ(d.intervals.count(), 2);
    EXPECT_EQ(d.intervals.at(0).power, 240.0);
    EXPECT_EQ(d.intervals.at(1).current[1], 4.5);
    EXPECT_EQ(d.summary.peakCurrent[1].value, 7.5);
    EXPECT_EQ(d.circuitType, 2);
    EXPECT_EQ(d.ctRatio, 100.0);
    EXPECT_EQ(encodeStore(s), smallStoreBytes());
}

TEST(ArchiveGolden, DataFileOfSmallStore) {
    Bytes expected;
    expected.u8(29).raw(kDataSig).i32(3);
    defaultSerial(expected).raw(smallStoreBytes());
    EXPECT_EQ(datafile::encode(SerialSettings(), smallStore()), expected.str());
}

TEST(Archive, RichStoreRoundTripsByteForByte) {
    MeasurementStore rich = builders::richStore();
    std::string bytes = encodeStore(rich);
    MeasurementStore back = decodeStore(bytes);
    EXPECT_EQ(encodeStore(back), bytes);
    EXPECT_TRUE(back == rich);
    ASSERT_EQ(back.count(), 4);
    EXPECT_EQ(back.at(0).circuits.at(0).days.count(), 4);
    EXPECT_EQ(back.at(0).circuits.at(0).days.at(3).channel, 2);
    EXPECT_EQ(back.at(0).circuits.at(0).days.at(0).data.intervals.count(), 48);
}

TEST(Archive, SerialSettingsAndStoreRoundTripThroughDataFile) {
    SerialSettings serial{7, 9600, 7, 2, 1, 0};
    std::string bytes = datafile::encode(serial, builders::richStore());
    MemorySource src(bytes);
    ArchiveReader in(src);
    SerialSettings readSerial;
    MeasurementStore store;
    datafile::read(in, readSerial, store);
    EXPECT_EQ(readSerial, serial);
    EXPECT_TRUE(store == builders::richStore());
}

// Length prefix: < 255 one byte; 255 … 0xFFFD: 0xFF + 16 bits; from 0xFFFE: 0xFF 0xFFFF + 32 bits.
TEST(ArchiveStrings, LengthPrefixForms) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes().u8(0).str()},
        {254, Bytes().u8(254).str()},
        {255, Bytes().u8(0xFF).u16(255).str()},
        {0xFFFD, Bytes().u8(0xFF).u16(0xFFFD).str()},
        {0xFFFE, Bytes().u8(0xFF).u16(0xFFFF).u32(0xFFFE).str()},
        {70000, Bytes().u8(0xFF).u16(0xFFFF).u32(70000).str()},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'x');
        MemorySink sink;
        ArchiveWriter out(sink, 4096);
        out.writeString(text);
        out.flush();
        EXPECT_EQ(sink.bytes(), c.prefix + text) << c.length;
        MemorySource src(sink.bytes());
        ArchiveReader in(src, 4096);
        EXPECT_EQ(in.readString(), text) << c.length;
        EXPECT_EQ(in.bytesLeft(), 0u);
    }
}

TEST(ArchiveStrings, Utf16MarkerIsConvertedToCp932) {
    // "表A" in UTF-16: U+8868, U+0041.
    std::string bytes = Bytes().u8(0xFF).u16(0xFFFE).u8(2).u16(0x8868).u16(0x41).str();
    MemorySource src(bytes);
    ArchiveReader in(src);
    EXPECT_EQ(in.readString(), "\x95\x5c"
                               "A");
    EXPECT_EQ(in.bytesLeft(), 0u);
}

TEST(ArchiveCounts, SixteenBitAndEscapedForms) {
    struct Case {
        std::size_t count;
        std::string bytes;
    };
    const Case cases[] = {
        {0, Bytes().u16(0).str()},
        {0xFFFE, Bytes().u16(0xFFFE).str()},
        {0xFFFF, Bytes().u16(0xFFFF).u32(0xFFFF).str()},
        {100000, Bytes().u16(0xFFFF).u32(100000).str()},
    };
    for (const Case& c : cases) {
        MemorySink sink;
        ArchiveWriter out(sink);
        out.writeCount(c.count);
        out.flush();
        EXPECT_EQ(sink.bytes(), c.bytes) << c.count;
        std::string withRoom = c.bytes + std::string(c.count, '\0');
        MemorySource src(withRoom);
        ArchiveReader in(src);
        EXPECT_EQ(in.readCount(1), c.count);
    }
}

TEST(ArchiveRead, RepeatedKeyKeepsFirstPositionAndTakesLaterContent) {
    // Two customers "a" then "B" then "A" again: "A" replaces "a" (name and circuits).
    Bytes b;
    b.u16(3);
    b.u16(0).str(kCustSig).i32(3).str("a");
    b.u16(0).str(kCustSig).i32(3).str("B");
    b.u16(1).u16(0).str("X").str(kCustSig).i32(3).str("A");
    MeasurementStore s = decodeStore(b.str());
    ASSERT_EQ(s.count(), 2);
    EXPECT_EQ(s.at(0).name, "A");
    EXPECT_EQ(s.at(0).circuits.count(), 1);
    EXPECT_EQ(s.at(1).name, "B");
}

TEST(ArchiveRead, CustomersInUpperCaseFoldOrderLoadAndAreWrittenInLowerCaseFoldOrder) {
    // Written by a copy that folded to upper case: "ABCD" before "ABC_1".
    Bytes b;
    b.u16(2);
    b.u16(0).str(kCustSig).i32(3).str("ABCD");
    b.u16(0).str(kCustSig).i32(3).str("ABC_1");
    MeasurementStore s = decodeStore(b.str());
    ASSERT_EQ(s.count(), 2);
    EXPECT_EQ(s.at(0).name, "ABC_1");
    EXPECT_EQ(s.at(1).name, "ABCD");
    Bytes expected;
    expected.u16(2);
    expected.u16(0).str(kCustSig).i32(3).str("ABC_1");
    expected.u16(0).str(kCustSig).i32(3).str("ABCD");
    EXPECT_EQ(encodeStore(s), expected.str());
}

TEST(ArchiveRead, ReadingClearsTheContainerFirst) {
    MeasurementStore s = builders::richStore();
    std::string bytes = encodeStore(smallStore());
    MemorySource src(bytes);
    ArchiveReader in(src);
    archive::read(in, s);
    EXPECT_EQ(s.count(), 1);
    EXPECT_EQ(s.slotCount(), 1);
}

TEST(ArchiveSignature, WrongTextOrVersionIsSignatureErrorAndVersionRemembered) {
    struct Case {
        std::string text;
        int32_t version;
        bool ok;
        archive::SignatureError::Kind kind;
    };
    const Case cases[] = {
        {kCustSig, 3, true, archive::SignatureError::WrongText},
        {kCustSig, 2, false, archive::SignatureError::WrongVersion},
        {kCustSig, 4, false, archive::SignatureError::WrongVersion},
        {"CUST-20061215-ds56sd40v1", 3, false, archive::SignatureError::WrongText},
        {"cust", 3, false, archive::SignatureError::WrongText},
    };
    for (const Case& c : cases) {
        std::string bytes = Bytes().u16(0).str(c.text).i32(c.version).str("N").str();
        MemorySource src(bytes);
        ArchiveReader in(src);
        Customer cu;
        if (c.ok) {
            EXPECT_NO_THROW(archive::read(in, cu));
        } else {
            try {
                archive::read(in, cu);
                ADD_FAILURE() << c.text << " " << c.version;
            } catch (const archive::SignatureError& e) {
                EXPECT_EQ(e.kind(), c.kind);
            }
        }
        EXPECT_EQ(archive::lastReadDataVersion(), c.version);
    }
}

// Every cut of a valid data file fails with the archive error (never a crash, hang, or a
// store that looks complete).
TEST(ArchiveRobustness, EveryTruncationIsArchiveError) {
    MeasurementStore store;
    {
        Customer& cu = store.at(store.insert("A"));
        MeasurementCircuit& ci = cu.circuits.at(cu.circuits.insert("C"));
        MeasurementStore rich = builders::richStore();
        ci.addOrReplaceDay(rich.at(0).circuits.at(0).days.at(0));
        ci.days.at(0).data.intervals.removeAt(0);
        while (ci.days.at(0).data.intervals.count() > 3)
            ci.days.at(0).data.intervals.removeAt(3);
        store.insert(std::string(300, 'L')); // a long name (three-byte prefix)
    }
    std::string full = datafile::encode(SerialSettings(), store);
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        std::string part = full.substr(0, cut);
        for (std::size_t buffer : {64u, 4096u}) {
            MemorySource src(part);
            ArchiveReader in(src, buffer);
            SerialSettings serial;
            MeasurementStore s;
            EXPECT_THROW(datafile::read(in, serial, s), ArchiveError) << "cut at " << cut;
        }
    }
}

TEST(ArchiveRobustness, HugeCountsAndLengthsFailBeforeAllocating) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"store count 0xFFFE", Bytes().u16(0xFFFE).str()},
        {"store count 2^32-1", Bytes().u16(0xFFFF).u32(0xFFFFFFFF).str()},
        {"circuit count", Bytes().u16(1).u16(0xFFFF).u32(0x7FFFFFFF).str()},
        {"day count", Bytes().u16(1).u16(1).u16(60000).str()},
        {"sample count",
         Bytes().u16(1).u16(1).u16(1).i32(1).date(0, 1.0).u16(0xFFFF).u32(50000000).str()},
        {"string length 32-bit", Bytes().u16(1).u16(0).u8(0xFF).u16(0xFFFF).u32(0xFFFFFFF0).str()},
        {"string length 16-bit", Bytes().u16(1).u16(0).u8(0xFF).u16(0xFFF0).str()},
        {"utf16 length", Bytes().u16(1).u16(0).u8(0xFF).u16(0xFFFE).u8(0xFF).u16(0x8000).str()},
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes + std::string(40, '\0');
        MemorySource src(bytes);
        ArchiveReader in(src);
        MeasurementStore s;
        EXPECT_THROW(archive::read(in, s), ArchiveError) << c.what;
    }
}

// Every byte of a small valid file set to a few bad values: any outcome but a crash is fine,
// and what fails fails with one of the load errors.
TEST(ArchiveRobustness, CorruptedBytesNeverCrash) {
    std::string full = datafile::encode(SerialSettings(), smallStore());
    for (std::size_t i = 0; i < full.size(); ++i) {
        for (unsigned char v : {0x00, 0x01, 0x7F, 0xFE, 0xFF}) {
            std::string bad = full;
            bad[i] = static_cast<char>(v);
            MemorySource src(bad);
            ArchiveReader in(src, 256);
            SerialSettings serial;
            MeasurementStore s;
            try {
                datafile::read(in, serial, s);
            } catch (const ArchiveError&) {
            } catch (const archive::SignatureError&) {
            }
        }
    }
}

namespace {

// Reads a data file from disk through FileSource with tiny mapping windows.
bool loadThroughWindows(const std::string& bytes, std::size_t window, MeasurementStore& store) {
    TempFolder folder;
    fs::path path = folder.path() / "w.DAT";
    TempFolder::write(path, bytes);
    OpenedFile file = OpenedFile::openRead(path.string());
    EXPECT_TRUE(file.isOpen());
    FileSource source(file, 0, window);
    EXPECT_EQ(source.hasWindows(), !bytes.empty());
    ArchiveReader in(source, 4096);
    SerialSettings serial;
    datafile::read(in, serial, store);
    return in.bytesLeft() == 0;
}

} // namespace

TEST(ArchiveFileWindows, SlidingMappingReadsWholeStore) {
    std::string bytes = datafile::encode(SerialSettings(), builders::richStore());
    for (std::size_t window : {std::size_t{1}, std::size_t{4096}, std::size_t{100000}}) {
        MeasurementStore store;
        EXPECT_TRUE(loadThroughWindows(bytes, window, store));
        EXPECT_TRUE(store == builders::richStore()) << window;
    }
}

TEST(ArchiveFileWindows, TruncatedFileIsArchiveError) {
    std::string bytes = datafile::encode(SerialSettings(), smallStore());
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        MeasurementStore store;
        EXPECT_THROW(loadThroughWindows(bytes.substr(0, cut), 4096, store), ArchiveError) << cut;
    }
}

TEST(ArchiveRead, ValidDateOutsideOleRangeIsReadAsInvalid) {
    const double values[] = {1e300,
                             -1e300,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             2958466.0,
                             -657435.0};
    for (double v : values) {
        std::string bytes = Bytes().date(0, v).str();
        MemorySource src(bytes);
        ArchiveReader in(src);
        DateTime d;
        archive::read(in, d);
        EXPECT_EQ(d.status(), DateTime::Invalid) << v;
    }
    for (double v : {-657434.0, 0.0, 45306.5, 2958465.99}) {
        std::string bytes = Bytes().date(0, v).str();
        MemorySource src(bytes);
        ArchiveReader in(src);
        DateTime d;
        archive::read(in, d);
        EXPECT_EQ(d.status(), DateTime::Valid) << v;
        EXPECT_EQ(d.value(), v);
    }
}

TEST(ArchiveRead, SamplesOutOfOrderOrRepeatedAreSortedAndLaterContentWins) {
    auto sample = [](Bytes& b, double t, double power) {
        b.date(0, t).f64(power);
        for (int i = 0; i < 8; ++i)
            b.f64(0.0);
    };
    Bytes b;
    b.u16(3);
    sample(b, 45306.0 + 2.0 / 48, 1.0);
    sample(b, 45306.0 + 1.0 / 48, 2.0);
    sample(b, 45306.0 + 2.0 / 48, 3.0); // same time as the first
    b.raw(std::string(archive::kSummaryBytes, '\0')).i32(0).i32(1).f64(1.0).f64(1.0);
    std::string bytes = b.str();
    MemorySource src(bytes);
    ArchiveReader in(src);
    DayData day;
    archive::read(in, day);
    ASSERT_EQ(day.intervals.count(), 2);
    EXPECT_EQ(day.intervals.at(0).power, 2.0);
    EXPECT_EQ(day.intervals.at(1).power, 3.0);
    EXPECT_EQ(day.intervals.slotOf(1), 0) << "the repeated time keeps the first element's slot";
}

TEST(ArchiveRead, ManyRepeatedKeysKeepOneSlot) {
    Bytes b;
    b.u16(20000);
    for (int i = 0; i < 20000; ++i)
        b.u16(0).str(i % 2 ? "x" : "X");
    b.str(kCustSig).i32(3).str("C");
    std::string bytes = b.str();
    MemorySource src(bytes);
    ArchiveReader in(src);
    Customer c;
    archive::read(in, c);
    EXPECT_EQ(c.circuits.count(), 1);
    EXPECT_EQ(c.circuits.slotCount(), 1);
    EXPECT_EQ(c.circuits.at(0).name, "x");
}
