#include "tools/gui/QtWindowPdf.h"
#include "app/AppTexts.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewApp.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/SelectorBar.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/gui/PaneSplitter.h"
#include "support/gui/QtPath.h"
#include "tools/cli/CliMain.h"
#include "views/layout/gui/JapaneseFonts.h"
#include <QApplication>
#include <QComboBox>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// The tool's own application object, made only when a PDF is to be drawn: --help and the
// other commands never need a display.
std::unique_ptr<QApplication> makeApplication() {
    if (QApplication::instance())
        return nullptr;
    // Without a display, or with an X display that does not answer (a stale DISPLAY after ssh),
    // the pages are drawn offscreen; a platform the user chose stays.
    if (!std::getenv("WAYLAND_DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", std::getenv("DISPLAY") ? "xcb;offscreen" : "offscreen", 0);
    static int argc = 1;
    static char name[] = "orvoview-cli";
    static char* argv[] = {name, nullptr};
    // Qt's own chatter (a missing runtime folder and the like) is no message of the tool.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << kMessagePrefix << text.toStdString() << '\n';
    });
    auto app = std::make_unique<QApplication>(argc, argv);
    COrvoViewApp::fixHashSeed();
    COrvoViewApp::applyIdentity();
    // The pages ask for the Windows face names, as in the program.
    installJapaneseFontSubstitutes();
    return app;
}

class WindowPdf {
public:
    explicit WindowPdf(const cli::WindowPdfSource& source) : m_app(makeApplication()) {
        m_document.setProgramFolder(source.programFolder);
        const int startDay = source.monthStartDay;
        m_document.setMonthStartDay([startDay] { return startDay; });
        m_document.replaceStore(*source.store);
        // No settings: nothing of the tool's run is written to the INI file.
        m_frame = std::make_unique<CMainFrame>(&m_document, nullptr);
        // The lists the first show fills; the data file is already in.
        m_frame->selectorBar()->fillFixedLists();
    }

    bool write(const DisplaySelection& selection, const std::filesystem::path& path,
               std::string& reason) {
        // Chosen on the selector bar as the user would: the kind, then the day or month.
        m_frame->selectorBar()->kind()->setCurrentIndex(selection.isMonthly() ? 1 : 0);
        m_document.select(selection.tuple(), selection.displayChannel);
        auto* view =
            static_cast<COrvoViewView*>(m_frame->splitter()->view(0, CMainFrame::ViewBlank));
        if (view->writeReportPdf(m_document.currentSelection(), qtFromPath(path)))
            return true;
        reason = formatText(txt::app::kPdfFailed, displayPath(path).c_str());
        return false;
    }

private:
    std::unique_ptr<QApplication> m_app; // first made, last gone
    COrvoViewDoc m_document;
    std::unique_ptr<CMainFrame> m_frame; // gone before the document it shows
};

} // namespace

BatchPdfWriter openQtWindowPdf(const cli::WindowPdfSource& source) {
    auto painter = std::make_shared<WindowPdf>(source);
    return [painter](const DisplaySelection& selection, const std::filesystem::path& path,
                     std::string& reason) { return painter->write(selection, path, reason); };
}
