#pragma once
// The program folder a command works on, its data file, and the single-instance lock that
// keeps the tool from writing a data folder the GUI has open.
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include "support/InstanceLock.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include <filesystem>
#include <string>

namespace cli {

// The program's executable name, after which its INI file is named ("orvoview.INI").
inline constexpr char kProgramBaseName[] = "orvoview";

struct DataFolder {
    std::string home;     // CP932, without trailing separator
    std::string dataFile; // CP932: <home>/DATA/Orvo.DAT
    std::string iniFile;  // CP932: the program's INI file, named after its executable

    std::filesystem::path nativeHome() const;
    std::filesystem::path nativeDataFile() const;
};

// --home DIR, else the program's rule: ORVOVIEW_HOME, else the folder of the executable when it
// is a portable copy, else the per-user folder.
DataFolder resolveDataFolder(const CliArgs& args);

// The line of the overview help that names the program folder in use and why (UTF-8).
std::string programFolderInUse(const CliArgs& args);

// The contents of a data file.
struct DataFileContents {
    SerialSettings serial;
    MeasurementStore store;
};

enum class LoadStatus {
    Loaded,
    Missing, // no data file yet: an empty store (the program would create one)
    Failed,  // told on stderr
};
LoadStatus loadDataFile(CliIo& io, const DataFolder& folder, DataFileContents& contents);

// Reads a data file ("Orvo.DAT") or a customer export file named on the command line ("-" and
// pipes too, see CliInput.h). Throws nothing: failures are told and give false.
enum class ArchiveKind { DataFile, CustomerFile };
struct ArchiveFile {
    ArchiveKind kind = ArchiveKind::DataFile;
    DataFileContents data; // DataFile
    Customer customer;     // CustomerFile
};
bool readArchiveFile(CliIo& io, const std::string& arg, ArchiveFile& file);

// Takes the single-instance lock of the folder (creating the folder when missing). False, told
// on stderr, when the GUI (or another tool run) has it.
bool lockDataFolder(CliIo& io, const DataFolder& folder, InstanceLock& lock);

// What a command that changes the data file does first: the lock, then the data file (a missing
// one gives an empty store). False, told, when either fails.
bool lockAndLoadDataFile(CliIo& io, const DataFolder& folder, InstanceLock& lock,
                         DataFileContents& contents);

// "Param"/"MonStartDay" of the program's INI file, used as read (1 when missing). The tool
// only reads the file; it never writes the default back.
int monthStartDay(const DataFolder& folder);
// --start-day D (1 to 31), else monthStartDay. A malformed value is wrong usage.
int startDayArg(const CliArgs& args, const DataFolder& folder);

// The circuit that --customer and --circuit name in a loaded store; null, told, when either
// is not registered.
struct NamedCircuit {
    int customerIndex = -1;
    int circuitIndex = -1;
    const MeasurementCircuit* circuit = nullptr;
};
NamedCircuit findNamedCircuit(CliIo& io, const MeasurementStore& store, const CliArgs& args);

// Replaces the data file atomically (creating DATA when missing). False, told, on failure;
// the old file is then unchanged.
bool saveDataFile(CliIo& io, const DataFolder& folder, const DataFileContents& contents);

} // namespace cli
