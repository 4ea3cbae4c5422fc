#include "common/Cp932.h"
#include "link/ReceptionWorker.h"
#include "link/SerialPort.h"
#include "support/Sjis.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A port whose device the user may not open: the reception message says how to get access.
// Runs the reception in a child process, as an unprivileged user when the test runs as root.
int receptionStatusWithoutPermission(const std::string& device, const std::string& expected) {
    pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        ReceptionRequest request;
        request.port.portNumber = 1;
        request.timings.endPause = std::chrono::milliseconds(0);
        ReceptionOutcome out = runReception(request, [device](int) { return device; });
        bool ok = out.result == ReceptionResult::Failure && out.messages.size() == 1 &&
                  out.messages[0] == expected;
        if (!ok)
            std::fprintf(stderr, "got: %s\n",
                         out.messages.empty() ? "" : sjis::toUtf8(out.messages[0]).c_str());
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(PortPermission, DeniedDeviceNamesTheDialoutGroup) {
    fs::path folder = fs::path(::testing::TempDir()) / "port_permission";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::path device = folder / "ttyUSB0";
    std::ofstream(device) << "";
    fs::permissions(device, fs::perms::owner_read | fs::perms::owner_write);
    if (::geteuid() != 0)
        fs::permissions(device, fs::perms::none);

    const std::string expected =
        sj("シリアルポートのオープンに失敗,") + SerialPort::FormatSystemError(EACCES) +
        sj(" ポートを使う権限がありません。sudo usermod -aG dialout ユーザー名 で "
           "dialout グループに加え、ログインし直してください");
    EXPECT_EQ(receptionStatusWithoutPermission(device.string(), expected), 0);
    fs::remove_all(folder);
}
