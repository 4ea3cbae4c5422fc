#pragma once
#include "app/gui/AppShell.h"
#include <QApplication>
#include <memory>

// The application object: Qt's application plus the program's start and exit sequences.
class COrvoViewApp : public QApplication {
    Q_OBJECT
public:
    // The names the program gives itself (application and organisation, no display name).
    static void applyIdentity();
    // Qt's hashes seeded alike in every run. The PDF writer embeds the fonts in the order of a
    // hash: so the same pages give the same file in every run, the window's and orvoview-cli's.
    static void fixHashSeed();
    COrvoViewApp(int& argc, char** argv);
    ~COrvoViewApp() override;

    bool initInstance();
    void exitInstance();
    // initInstance, the event loop, exitInstance; the process exit code.
    int run();

    AppShell* shell() const { return m_shell.get(); }

private:
    // SIGTERM, SIGINT, SIGHUP: ends the program in every state, with one save.
    void onTerminationRequest();

    std::unique_ptr<AppShell> m_shell;
    bool m_terminating = false;
    bool m_loopRunning = false;
};
