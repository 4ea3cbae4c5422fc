#include "app/gui/OrvoViewApp.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/MainFrame.h"
#include "app/gui/MessageBoxPrompt.h"
#include "app/gui/QtTranslation.h"
#include "views/layout/gui/JapaneseFonts.h"

#include "support/Termination.h"
#include <QHashFunctions>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A termination request (Ctrl+C in the terminal, the session ending) closes the main window
// the normal way, so the data file and the settings are written. The handler only writes a
// byte; the event loop does the rest.
int s_signalPipe[2] = {-1, -1};

void onTerminate(int) {
    noteTerminationRequest();
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(s_signalPipe[0], &byte, 1);
}

} // namespace

void COrvoViewApp::applyIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("OrvoView"));
    // No display name: the platform would append it to every dialog title.
    QCoreApplication::setOrganizationName(QStringLiteral("OrvoView"));
}

void COrvoViewApp::fixHashSeed() {
    QHashSeed::setDeterministicGlobalSeed();
}

COrvoViewApp::COrvoViewApp(int& argc, char** argv) : QApplication(argc, argv) {
    fixHashSeed();
    applyIdentity();
    // Lets the desktop match the window to the installed entry and its icon.
    setDesktopFileName(QStringLiteral(ORVO_DESKTOP_ID));
    setWindowIcon(programIcon());
    installQtTranslation(*this);
    // The views and dialogs ask for the Windows face names; map them before any drawing.
    installJapaneseFontSubstitutes();
    useProportionalUiFont();
}

COrvoViewApp::~COrvoViewApp() = default;

bool COrvoViewApp::initInstance() {
    m_shell = std::make_unique<AppShell>();
    // Set before the start sequence: a request that comes during the start waits in the pipe
    // until the event loop runs.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, s_signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(s_signalPipe[1], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] {
            char byte;
            [[maybe_unused]] ssize_t n = ::read(s_signalPipe[1], &byte, 1);
            onTerminationRequest();
        });
        struct sigaction action {};
        action.sa_handler = onTerminate;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGHUP, &action, nullptr);
    }
    // Above a file-size limit a write fails with EFBIG and the usual message, instead of the
    // signal killing the program half-way through a save.
    std::signal(SIGXFSZ, SIG_IGN);
    return m_shell->initInstance();
}

void COrvoViewApp::onTerminationRequest() {
    if (m_terminating)
        return; // the first request is being carried out
    m_terminating = true;
    // Nobody is there to answer: the box open now and every later one end at once.
    MessageBoxPrompt::dismissAll();
    if (!m_loopRunning)
        return; // the start sequence ends first; run() then exits without the event loop
    // The windows close the normal way (the one save of the data), then the loop ends.
    if (CMainFrame* frame = m_shell ? m_shell->frame() : nullptr)
        frame->close();
    quit();
}

void COrvoViewApp::exitInstance() {
    if (m_shell)
        m_shell->exitInstance();
}

int COrvoViewApp::run() {
    if (!initInstance())
        return m_shell->startExitCode();
    int code = 0;
    if (!m_terminating) {
        m_loopRunning = true;
        code = exec();
        m_loopRunning = false;
    }
    // A request during the start ends here: exitInstance closes the frame (the one save).
    exitInstance();
    m_shell.reset();
    return code;
}
