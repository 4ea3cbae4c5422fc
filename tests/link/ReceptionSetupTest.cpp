#include "link/ReceptionSetup.h"
#include "common/Cp932.h"
#include "support/Sjis.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string u(const char* utf8) {
    return sj(utf8);
}

TEST(ReceptionSetup, DebugKeysPortMapAndFoldersComeFromTheProgramFolder) {
    struct Case {
        const char* name;
        std::string ini; // UTF-8 body; empty: no INI file
        bool debug;
        bool trace;
        const char* com3; // device of port 3
    } cases[] = {
        {"no file", "", false, false, "/dev/ttyUSB2"},
        {"both off",
         "[Debug]\r\n通信(0:リリース,1:デバック)=0\r\n通信ログ出力(0:しない,1:する)=0\r\n", false,
         false, "/dev/ttyUSB2"},
        {"trace on", "[Debug]\r\n通信ログ出力(0:しない,1:する)=1\r\n", false, true, "/dev/ttyUSB2"},
        {"debug on", "[debug]\r\n通信(0:リリース,1:デバック)=1\r\n", true, false, "/dev/ttyUSB2"},
        {"2 is not 1",
         "[Debug]\r\n通信(0:リリース,1:デバック)=2\r\n通信ログ出力(0:しない,1:する)=2\r\n", false,
         false, "/dev/ttyUSB2"},
        {"port map", "[Port]\r\nCOM3=/dev/ttyS7\r\n", false, false, "/dev/ttyS7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path folder = fs::path(::testing::TempDir()) / "reception_setup";
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string ini = (folder / "orvoview.INI").string();
        if (!c.ini.empty())
            std::ofstream(ini, std::ios::binary) << u(c.ini.c_str());
        SerialSettings port{3, 9600, 7, 2, 1, 0};
        ReceptionRequest request = makeReceptionRequest(port, {folder.string(), ini, nullptr});
        EXPECT_EQ(request.port, port);
        EXPECT_FALSE(request.fromFile);
        EXPECT_EQ(request.debugSerial, c.debug);
        EXPECT_EQ(request.tracePrefix, c.trace ? (folder / "COMM_").string() : "");
        EXPECT_EQ(request.captureFolder, (folder / "RECEIVED").string());
        EXPECT_EQ(serialDevicePath(3, request.deviceLookup), c.com3);
        // Reading leaves the INI file as it was.
        EXPECT_EQ(fs::exists(ini), !c.ini.empty());
    }
}

} // namespace
