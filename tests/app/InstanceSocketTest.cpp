// The single-instance socket: in the user's runtime folder, for the user only, and a server of
// another account at the program's name counts as no running copy.
#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "app/gui/AppShell.h"
#include "support/Format.h"
#include "support/InstanceLock.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace apptest;

namespace {

constexpr uid_t kOtherId = 65534;

// Points $XDG_RUNTIME_DIR at a fresh user-only folder for one test.
class RuntimeFolder {
public:
    RuntimeFolder()
        : m_old(qgetenv("XDG_RUNTIME_DIR")), m_had(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
    }
    ~RuntimeFolder() {
        if (m_had)
            qputenv("XDG_RUNTIME_DIR", m_old);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    bool m_had;
};

AppShell::Options optionsFor(const QTemporaryDir& dir, Prompt* prompt) {
    AppShell::Options o;
    o.folder = utf8Path(dir);
    o.baseName = "orvoview";
    o.showFrame = false;
    o.prompt = prompt;
    return o;
}

// A server run by another account (uid/gid 65534) in a forked child. It binds in `shared` (a
// folder that account can write), after which the test moves the socket to the program's name.
// It accepts one connection and sends back through a pipe what it received before the close.
class OtherUsersServer {
public:
    explicit OtherUsersServer(const std::string& socketPath) {
        int ready[2];
        int report[2];
        if (::pipe(ready) != 0 || ::pipe(report) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(report[0]);
            serve(socketPath, ready[1], report[1]);
        }
        ::close(ready[1]);
        ::close(report[1]);
        m_report = report[0];
        char byte = 0;
        m_listening = waitReadable(ready[0]) && ::read(ready[0], &byte, 1) == 1 && byte == 'L';
        ::close(ready[0]);
    }
    ~OtherUsersServer() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_report >= 0)
            ::close(m_report);
    }
    bool listening() const { return m_listening; }
    // What the server received from its one client (waits until the client has gone).
    std::string received() {
        std::string bytes;
        char buffer[256];
        ssize_t n = 0;
        while (waitReadable(m_report) && (n = ::read(m_report, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        return bytes;
    }

private:
    // A generous limit against hangs, not a timing assertion.
    static bool waitReadable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 20000) == 1;
    }

    // In the child: only plain system calls until _exit.
    [[noreturn]] static void serve(const std::string& path, int ready, int report) {
        const gid_t group = kOtherId;
        if (::setgroups(1, &group) != 0 || ::setresgid(kOtherId, kOtherId, kOtherId) != 0 ||
            ::setresuid(kOtherId, kOtherId, kOtherId) != 0)
            ::_exit(2);
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path)
            ::_exit(3);
        std::memcpy(address.sun_path, path.c_str(), path.size());
        if (server < 0 ||
            ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(server, 4) != 0)
            ::_exit(3);
        (void)!::write(ready, "L", 1);
        const int client = ::accept(server, nullptr, nullptr);
        char buffer[256];
        ssize_t n = 0;
        while (client >= 0 && (n = ::read(client, buffer, sizeof buffer)) > 0)
            (void)!::write(report, buffer, static_cast<std::size_t>(n));
        ::_exit(0);
    }

    pid_t m_pid = -1;
    int m_report = -1;
    bool m_listening = false;
};

// Plants a server of another account at the program's socket name for `folder`.
class PlantedServer {
public:
    explicit PlantedServer(const std::string& folder) : m_name(AppShell::serverName(folder)) {
        QFile::setPermissions(m_shared.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ReadOther |
                                                   QFile::ExeOther);
        QDir(m_shared.path()).mkdir("open");
        QFile::setPermissions(openFolder(), QFileDevice::Permissions(0x7777));
    }
    // Starts the server and moves its socket to the name; false when that failed.
    bool plant() {
        m_started.emplace(bindPath().toStdString());
        return m_started->listening() &&
               std::rename(bindPath().toUtf8().constData(), m_name.toUtf8().constData()) == 0;
    }
    OtherUsersServer& server() { return *m_started; }
    const QString& name() const { return m_name; }

private:
    QString openFolder() const { return m_shared.path() + "/open"; }
    QString bindPath() const { return openFolder() + "/socket"; }

    QTemporaryDir m_shared;
    QString m_name;
    std::optional<OtherUsersServer> m_started;
};

// The uid of the process serving `name`, through a connection like the program's.
bool connectsToOwnPeer(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(20000) && AppShell::isOwnPeer(socket.socketDescriptor());
}

} // namespace

TEST(InstanceSocket, LivesInTheUsersRuntimeFolderForTheUserOnly) {
    RuntimeFolder runtime;
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    const QString name = AppShell::serverName(utf8Path(dir));
    EXPECT_EQ(QFileInfo(name).absolutePath().toStdString(), runtime.path().toStdString());

    AppShell shell(optionsFor(dir, &prompt));
    ASSERT_TRUE(shell.initInstance());
    struct stat st {};
    ASSERT_EQ(::lstat(name.toUtf8().constData(), &st), 0) << name.toStdString();
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u) << "mode " << std::oct << (st.st_mode & 0777);
    EXPECT_EQ(st.st_uid, ::geteuid());
    EXPECT_FALSE(QFile::exists(QDir::tempPath() + "/" + QFileInfo(name).fileName()))
        << "nothing in the shared temporary folder";
    EXPECT_TRUE(connectsToOwnPeer(name));
    shell.exitInstance();
}

// Another account's server at the program's name (possible where the name is reachable by
// others) is no running copy of ours.
class OtherUsersServerAtTheName : public testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to run a server under a second user id (setresuid); "
                            "skipped";
        planted.emplace(utf8Path(dir));
        ASSERT_TRUE(planted->plant());
    }

    RuntimeFolder runtime;
    QTemporaryDir dir;
    std::optional<PlantedServer> planted;
    ScriptedPrompt prompt;
};

// A start with the folder locked does not "raise" it and end as if it had worked.
TEST_F(OtherUsersServerAtTheName, IsNotRaisedWhenTheFolderIsLocked) {
    InstanceLock held; // as a long orvoview-cli run holds it
    ASSERT_TRUE(held.tryAcquire(utf8Path(dir)));

    AppShell shell(optionsFor(dir, &prompt));
    EXPECT_FALSE(shell.initInstance());
    EXPECT_EQ(shell.startExitCode(), 1) << "told, not ended as if a copy had been raised";
    EXPECT_EQ(planted->server().received(), "") << "nothing sent to the other account";
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, formatText(txt::app::kFolderInUse, utf8Path(dir).c_str()));
}

TEST_F(OtherUsersServerAtTheName, IsNotOwnAndTheStartTakesTheName) {
    EXPECT_FALSE(connectsToOwnPeer(planted->name()));

    AppShell first(optionsFor(dir, &prompt));
    ASSERT_TRUE(first.initInstance()) << "the start becomes the running copy";
    EXPECT_TRUE(connectsToOwnPeer(planted->name()));

    // A second start reaches the first, not the other account's server.
    QSignalSpy raised(&first, &AppShell::raiseRequested);
    AppShell second(optionsFor(dir, &prompt));
    EXPECT_FALSE(second.initInstance());
    EXPECT_EQ(second.startExitCode(), 0);
    EXPECT_TRUE(raised.count() > 0 || raised.wait(20000));
    EXPECT_TRUE(prompt.asked().empty());
    first.exitInstance();
}
