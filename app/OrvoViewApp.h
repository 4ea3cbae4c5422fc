#pragma once
#include "app/AppShell.h"
#include <QApplication>
#include <memory>

// The application object: Qt's application plus the program's start and exit sequences.
class COrvoViewApp : public QApplication {
    Q_OBJECT
public:
    // The names the program gives itself (application and organisation, no display name).
    static void applyIdentity();
    COrvoViewApp(int& argc, char** argv);
    ~COrvoViewApp() override;

    bool initInstance();
    void exitInstance();
    // initInstance, the event loop, exitInstance; the process exit code.
    int run();

    AppShell* shell() const { return m_shell.get(); }

private:
    std::unique_ptr<AppShell> m_shell;
};
