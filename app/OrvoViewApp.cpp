#include "app/OrvoViewApp.h"
#include "views/layout/JapaneseFonts.h"

COrvoViewApp::COrvoViewApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("OrvoView"));
    setApplicationDisplayName(QStringLiteral("オルボ・ビュー"));
    setOrganizationName(QStringLiteral("OrvoView"));
    // The views and dialogs ask for the Windows face names; map them before any drawing.
    installJapaneseFontSubstitutes();
}

COrvoViewApp::~COrvoViewApp() = default;

bool COrvoViewApp::initInstance() {
    m_shell = std::make_unique<AppShell>();
    return m_shell->initInstance();
}

void COrvoViewApp::exitInstance() {
    if (m_shell)
        m_shell->exitInstance();
}

int COrvoViewApp::run() {
    if (!initInstance())
        return 0;
    const int code = exec();
    exitInstance();
    m_shell.reset();
    return code;
}
