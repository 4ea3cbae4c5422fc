#include "store/DAT_Archive.h"
#include <atomic>

namespace archive {

namespace {

std::atomic<int32_t> g_lastReadVersion{0};

char* putDate(char* p, const DateTime& d) {
    p = storeLE<int32_t>(p, static_cast<int32_t>(d.status()));
    return storeLE<double>(p, d.value());
}

// OLE dates exist from 100-01-01 to 9999-12-31. A value marked valid outside that range (or
// not a number) can only come from a damaged file; it is kept but marked invalid, so nothing
// downstream takes it apart.
constexpr double kFirstOleDate = -657434.0;
constexpr double kEndOleDate = 2958466.0;

const char* getDate(const char* p, DateTime& d) {
    auto status = static_cast<DateTime::Status>(loadLE<int32_t>(p));
    double value = loadLE<double>(p + 4);
    if (status == DateTime::Valid && !(value >= kFirstOleDate && value < kEndOleDate))
        status = DateTime::Invalid;
    d.setValue(value, status);
    return p + kDateTimeBytes;
}

char* putPeak(char* p, const PeakRecord& r) {
    p = storeLE<double>(p, r.value);
    p = putDate(p, r.from);
    return putDate(p, r.to);
}

const char* getPeak(const char* p, PeakRecord& r) {
    r.value = loadLE<double>(p);
    p = getDate(p + 8, r.from);
    return getDate(p, r.to);
}

// A sample is decoded where the loader's loop can see it: a call in between would make the
// copy into the slot wait on the stores of the call (about half the load time).
[[gnu::always_inline]] inline void readSample(ArchiveReader& in, IntervalSample& v) {
    const char* p = getDate(in.take(kSampleBytes), v.time);
    v.power = loadLE<double>(p);
    v.reversePower = loadLE<double>(p + 8);
    v.powerFactor = loadLE<double>(p + 16);
    p += 24;
    for (int i = 0; i < 3; ++i) {
        v.voltage[i] = loadLE<double>(p);
        v.current[i] = loadLE<double>(p + 8);
        p += 16;
    }
}

template <class T> void readElement(ArchiveReader& in, T& item) {
    read(in, item);
}
template <> void readElement(ArchiveReader& in, IntervalSample& item) {
    readSample(in, item);
}

// Reads a container: count, then each element inserted by its key (see assignInOrder).
template <class T>
void readContainer(ArchiveReader& in, SortedSlotArray<T>& items, std::size_t minBytes,
                   bool reserve) {
    items.clear();
    std::size_t n = in.readCount(minBytes); // n * minBytes <= the bytes left
    items.assignInOrder(n, reserve, [&in](T& item) { readElement(in, item); });
}

template <class T> void writeContainer(ArchiveWriter& out, const SortedSlotArray<T>& items) {
    out.writeCount(static_cast<std::size_t>(items.count()));
    for (const T& item : items)
        write(out, item);
}

} // namespace

int32_t lastReadDataVersion() {
    return g_lastReadVersion.load();
}

void writeSignature(ArchiveWriter& out, std::string_view text) {
    out.writeString(text);
    out.writeI32(kVersion);
}

void readSignature(ArchiveReader& in, std::string_view expected) {
    std::string text = in.readString();
    int32_t version = in.readI32();
    g_lastReadVersion.store(version);
    if (text != expected)
        throw SignatureError(SignatureError::WrongText, version);
    if (version != kVersion)
        throw SignatureError(SignatureError::WrongVersion, version);
}

// ---- write

void write(ArchiveWriter& out, const DateTime& v) {
    putDate(out.claim(kDateTimeBytes), v);
}

void write(ArchiveWriter& out, const PeakRecord& v) {
    putPeak(out.claim(kPeakRecordBytes), v);
}

void write(ArchiveWriter& out, const IntervalSample& v) {
    char* p = putDate(out.claim(kSampleBytes), v.time);
    p = storeLE(p, v.power);
    p = storeLE(p, v.reversePower);
    p = storeLE(p, v.powerFactor);
    for (int i = 0; i < 3; ++i) {
        p = storeLE(p, v.voltage[i]);
        p = storeLE(p, v.current[i]);
    }
}

void write(ArchiveWriter& out, const DaySummary& v) {
    char* p = out.claim(kSummaryBytes);
    for (double d :
         {v.energy, v.reverseEnergy, v.spareTotal, v.leadReactiveEnergy, v.lagReactiveEnergy,
          v.averagePower, v.reverseAveragePower, v.averagePowerFactor})
        p = storeLE(p, d);
    p = putPeak(p, v.maxDemand);
    p = putPeak(p, v.reverseMaxDemand);
    p = putPeak(p, v.peakPower);
    p = putPeak(p, v.reversePeakPower);
    p = storeLE(p, v.peakPowerFactor);
    p = storeLE(p, v.reversePeakPowerFactor);
    for (int i = 0; i < 3; ++i) {
        p = storeLE(p, v.averageVoltage[i]);
        p = storeLE(p, v.averageCurrent[i]);
        p = putPeak(p, v.peakVoltage[i]);
        p = putPeak(p, v.minVoltage[i]);
        p = putPeak(p, v.maxCurrent[i]);
        p = putPeak(p, v.peakCurrent[i]);
    }
}

void write(ArchiveWriter& out, const DayData& v) {
    writeContainer(out, v.intervals);
    write(out, v.summary);
    out.writeI32(v.hasReverse);
    out.writeI32(v.circuitType);
    out.writeDouble(v.ptRatio);
    out.writeDouble(v.ctRatio);
}

void write(ArchiveWriter& out, const MeasurementDay& v) {
    out.writeI32(v.channel);
    write(out, v.date);
    write(out, v.data);
}

void write(ArchiveWriter& out, const MeasurementCircuit& v) {
    writeContainer(out, v.days);
    out.writeString(v.name);
}

void write(ArchiveWriter& out, const Customer& v) {
    writeContainer(out, v.circuits);
    writeSignature(out, kCustomerSignature);
    out.writeString(v.name);
}

void write(ArchiveWriter& out, const MeasurementStore& v) {
    writeContainer(out, v);
}

void write(ArchiveWriter& out, const SerialSettings& v) {
    for (int32_t x : {v.portNumber, v.baudRate, v.byteSize, v.stopBits, v.parity, v.flowControl})
        out.writeI32(x);
}

// ---- read

void read(ArchiveReader& in, DateTime& v) {
    getDate(in.take(kDateTimeBytes), v);
}

void read(ArchiveReader& in, PeakRecord& v) {
    getPeak(in.take(kPeakRecordBytes), v);
}

void read(ArchiveReader& in, IntervalSample& v) {
    readSample(in, v);
}

void read(ArchiveReader& in, DaySummary& v) {
    const char* p = in.take(kSummaryBytes);
    for (double* d :
         {&v.energy, &v.reverseEnergy, &v.spareTotal, &v.leadReactiveEnergy, &v.lagReactiveEnergy,
          &v.averagePower, &v.reverseAveragePower, &v.averagePowerFactor}) {
        *d = loadLE<double>(p);
        p += 8;
    }
    p = getPeak(p, v.maxDemand);
    p = getPeak(p, v.reverseMaxDemand);
    p = getPeak(p, v.peakPower);
    p = getPeak(p, v.reversePeakPower);
    v.peakPowerFactor = loadLE<double>(p);
    v.reversePeakPowerFactor = loadLE<double>(p + 8);
    p += 16;
    for (int i = 0; i < 3; ++i) {
        v.averageVoltage[i] = loadLE<double>(p);
        v.averageCurrent[i] = loadLE<double>(p + 8);
        p = getPeak(p + 16, v.peakVoltage[i]);
        p = getPeak(p, v.minVoltage[i]);
        p = getPeak(p, v.maxCurrent[i]);
        p = getPeak(p, v.peakCurrent[i]);
    }
}

void read(ArchiveReader& in, DayData& v) {
    readContainer(in, v.intervals, kSampleBytes, true);
    read(in, v.summary);
    v.hasReverse = in.readI32();
    v.circuitType = in.readI32();
    v.ptRatio = in.readDouble();
    v.ctRatio = in.readDouble();
}

void read(ArchiveReader& in, MeasurementDay& v) {
    v.channel = in.readI32();
    read(in, v.date);
    read(in, v.data);
}

void read(ArchiveReader& in, MeasurementCircuit& v) {
    readContainer(in, v.days, kMinDayBytes, true);
    v.name = in.readString();
}

void read(ArchiveReader& in, Customer& v) {
    readContainer(in, v.circuits, kMinCircuitBytes, false);
    readSignature(in, kCustomerSignature);
    v.name = in.readString();
}

void read(ArchiveReader& in, MeasurementStore& v) {
    readContainer(in, v, kMinCustomerBytes, false);
}

void read(ArchiveReader& in, SerialSettings& v) {
    for (int32_t* x :
         {&v.portNumber, &v.baudRate, &v.byteSize, &v.stopBits, &v.parity, &v.flowControl})
        *x = in.readI32();
}

} // namespace archive
