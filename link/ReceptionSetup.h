#pragma once
#include "link/ReceptionWorker.h"
#include <filesystem>

class LogFile;

// Where the program (or its command-line tool) receives: the program folder with its INI file
// and program log.
struct ReceptionSite {
    std::filesystem::path programFolder;
    std::filesystem::path iniFile; // sections "Port" and "Debug"
    LogFile* programLog = nullptr; // failure messages; may be none
};

// The request of a serial reception with the program's settings: the six port settings, the
// port map of section "Port", the keys of section "Debug" as they read now (通信ログ出力=1:
// the trace "COMM_<n>.LOG" in the program folder; 通信=1: the debug mode without a port), the
// capture folder "RECEIVED" of the program folder and the program log. A file import sets
// fromFile and filePath on it. Reads the INI file without writing to it.
ReceptionRequest makeReceptionRequest(const SerialSettings& port, const ReceptionSite& site);
