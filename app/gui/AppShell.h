#pragma once
#include "app/AppSettings.h"
#include "support/InstanceLock.h"
#include "support/LogFile.h"
#include "support/SjisText.h"
#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class CMainFrame;
class Prompt;
class COrvoViewDoc;
class QLocalServer;

// One run of the program on a program folder: the start sequence (single instance, settings,
// log, abnormal-end marker, document and frame) and the exit sequence. COrvoViewApp runs one;
// tests run several in turn.
class AppShell : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::filesystem::path folder; // program folder; empty = the program folder rule
        std::string baseName;         // INI and log name; empty = the executable's name
        bool showFrame = true;
        Prompt* prompt = nullptr; // start-up failures; nullptr = a message box
        // Test seam: called with the document before the frame shows (and starts the load).
        std::function<void(COrvoViewDoc&)> beforeLoad;
    };

    AppShell();
    explicit AppShell(Options options);
    ~AppShell() override;

    // The start sequence; false ends the program (another copy runs, or the start failed).
    bool initInstance();
    // The exit status after a false initInstance: 0 when a running copy was raised, 1 when the
    // start failed (told to the user first).
    int startExitCode() const { return m_startExitCode; }
    // Writes the marker and the settings when the start had completed.
    void exitInstance();

    CMainFrame* frame() const { return m_frame.get(); }
    COrvoViewDoc* document() const { return m_document.get(); }
    AppSettings& settings() { return m_settings; }
    // The program's settings object (appSettings()) is the one a shell reads and writes.
    LogFile& log() { return m_log; }
    const std::filesystem::path& folder() const { return m_folder; }
    bool startupInProgress() const { return m_startupInProgress; }
    // Local socket name the running copy listens on (derived from the program folder).
    static QString serverName(const std::filesystem::path& folder);
    // The process at the other end of a connected local socket runs as this user.
    static bool isOwnPeer(qintptr socketDescriptor);

signals:
    // Another start asked this copy to come to the front.
    void raiseRequested();

private:
    bool raiseRunningCopy();
    bool failStart(sjis::Text format);
    void startServer();

    Options m_options;
    std::filesystem::path m_folder;
    std::string m_baseName;
    InstanceLock m_lock;
    AppSettings& m_settings = appSettings();
    LogFile m_log;
    std::unique_ptr<COrvoViewDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    QLocalServer* m_server = nullptr;
    bool m_startupInProgress = false;
    bool m_started = false;
    int m_startExitCode = 0;
};
