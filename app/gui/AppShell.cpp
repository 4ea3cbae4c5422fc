#include "app/gui/AppShell.h"
#include "app/AppTexts.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/DataCommands.h"
#include "app/gui/MainFrame.h"
#include "app/gui/MessageBoxPrompt.h"
#include "app/gui/OrvoViewDoc.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/PrivateProfile.h"
#include "support/ProgramFolder.h"
#include "support/RuntimeFolder.h"
#include "support/Sjis.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr char kRaise[] = "raise\n";
}

AppShell::AppShell() = default;
AppShell::AppShell(Options options) : m_options(std::move(options)) {}

AppShell::~AppShell() {
    // The frame's views belong to the document's list: the frame goes first.
    m_frame.reset();
    m_document.reset();
}

QString AppShell::serverName(const std::filesystem::path& folder) {
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(folder.native()),
                                                     QCryptographicHash::Sha1);
    // The user's own runtime folder (0700): another account can neither take the name first
    // nor connect.
    const char* home = std::getenv("HOME");
    const QString runtime =
        qtFromPath(privateRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), home ? home : ""));
    return runtime + QStringLiteral("/OrvoView-") + QString::fromLatin1(hash.toHex().left(16));
}

bool AppShell::isOwnPeer(qintptr socketDescriptor) {
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.uid == ::geteuid();
}

bool AppShell::raiseRunningCopy() {
    // The running copy may still be starting: give its server a few seconds to appear.
    const QString name = serverName(m_folder);
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) {
            if (!isOwnPeer(socket.socketDescriptor()))
                return false; // not our copy: as if none ran
            socket.write(kRaise);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void AppShell::startServer() {
    m_server = new QLocalServer(this);
    const QString name = serverName(m_folder);
    // We hold the instance lock, so a socket left by a killed run is stale.
    QLocalServer::removeServer(name);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name))
        std::fprintf(stderr, "orvoview: cannot listen on %s\n", qPrintable(name));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->readAll().contains("raise"))
                    return;
                if (m_frame) {
                    if (m_frame->isMinimized())
                        m_frame->showNormal();
                    m_frame->show();
                    m_frame->raise();
                    m_frame->activateWindow();
                }
                emit raiseRequested();
            });
        }
    });
}

bool AppShell::failStart(sjis::Text format) {
    const sjis::String text = formatText(format, displayPath(m_folder).c_str());
    // The terminal shows the folder as it is, not as CP932 can spell it.
    const std::string utf8 = formatUtf8(format, m_folder.c_str());
    std::fprintf(stderr, "orvoview: %s\n", utf8.c_str());
    if (m_options.prompt) {
        m_options.prompt->tell(text, PromptIcon::Stop);
    } else {
        MessageBoxPrompt box(nullptr);
        box.tell(text, PromptIcon::Stop);
    }
    m_startExitCode = 1;
    return false;
}

bool AppShell::initInstance() {
    m_folder = m_options.folder.empty() ? programFolder() : absoluteFolder(m_options.folder);
    m_baseName = m_options.baseName.empty() ? programBaseName() : m_options.baseName;
    createFolderPath(m_folder, FolderAccess::UserOnly);

    // One copy per program folder. A second start brings the first to the front.
    if (!m_lock.tryAcquire(m_folder)) {
        // Held without a window to raise: a long orvoview-cli run, or a folder that cannot be
        // written. Say so instead of ending silently.
        if (!raiseRunningCopy())
            failStart(txt::app::kFolderInUse);
        return false;
    }

    m_startupInProgress = true;
    m_settings = AppSettings(); // a fresh start reads everything again
    if (m_folder.native().size() > ProfileSettings::kMaxFolderBytes) {
        m_startupInProgress = false;
        return failStart(txt::app::kFolderTooLong);
    }
    m_settings.init(m_folder, m_baseName);
    m_settings.readAll();
    QDir::setCurrent(qtFromPath(m_folder));
    m_log.OpenLog(pathInFolder(m_folder, m_baseName), 7, 4, 10000, 5242880);
    // The folder is ours now: temporaries of the INI left by ended runs go.
    removeStaleTemporaries(m_settings.iniPath());
    if (int error = profile::readError(m_settings.iniPath()))
        m_log.WriteLine(formatText(txt::app::kIniUnreadable,
                                   displayPath(m_settings.iniPath()).c_str(),
                                   sjis::fromUtf8Shown(std::strerror(error)).c_str()));

    ProfileSettings& profile = m_settings.profile();
    if (profile.getInt("check", "RunningNum", AppSettings::kNormalEnd) != AppSettings::kNormalEnd)
        m_log.WriteLine(txt::app::kAbnormalEnd);
    profile.putInt("check", "RunningNum", 0);
    profile.putString("check", "Version", fileVersionText().toStdString());
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    m_document = std::make_unique<COrvoViewDoc>();
    m_document->setProgramFolder(m_folder);
    m_document->setReceptionSite({m_folder, m_settings.iniPath(), &m_log});
    m_document->setMonthStartDay([this] { return m_settings.monthStartDay; });
    m_frame = std::make_unique<CMainFrame>(m_document.get(), &m_settings);
    m_frame->dataCommands()->setLog(&m_log);
    if (m_options.beforeLoad)
        m_options.beforeLoad(*m_document);

    if (m_options.showFrame) {
        m_frame->show();
    } else {
        m_frame->initialUpdate();
    }
    startServer();
    m_startupInProgress = false;
    m_started = true;
    return true;
}

void AppShell::exitInstance() {
    if (!m_started)
        return;
    m_started = false;
    // A quit that bypassed the window's close still saves the data and the placement.
    if (m_frame)
        m_frame->close();
    if (!m_startupInProgress) {
        m_settings.profile().putInt("check", "RunningNum", AppSettings::kNormalEnd);
        m_settings.writeAll();
    }
    if (m_server)
        m_server->close();
    m_lock.release();
}
