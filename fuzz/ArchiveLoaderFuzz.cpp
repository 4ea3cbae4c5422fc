// Arbitrary bytes as a data file and as a customer export file. The loader must fail with its
// own errors only: no crash, no overflow, no allocation beyond what the bytes can fill.
#include "store/ArchiveReader.h"
#include "store/DAT_Archive.h"
#include "store/DAT_DataFile.h"
#include "store/MemorySource.h"
#include "support/ArchiveError.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

template <typename Load> void tryLoad(std::string_view bytes, Load load) {
    MemorySource source(bytes);
    ArchiveReader reader(source, 256);
    try {
        load(reader);
    } catch (const archive::SignatureError&) {
    } catch (const ArchiveError&) {
    } catch (const FileAccessError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tryLoad(bytes, [](ArchiveReader& in) {
        SerialSettings serial;
        MeasurementStore store;
        datafile::read(in, serial, store);
    });
    tryLoad(bytes, [](ArchiveReader& in) {
        Customer customer;
        archive::read(in, customer);
    });
    return 0;
}
