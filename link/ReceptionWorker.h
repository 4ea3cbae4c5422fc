#pragma once
#include "link/ReceptionNoticeSink.h"
#include "link/ReportCut.h"
#include "link/SerialPort.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LogFile;

// Waits of one reception. The defaults are the program's; tests shorten them.
struct ReceptionTimings {
    std::chrono::milliseconds settle{300};    // after opening the port
    uint32_t interByteMs = 3000;              // silence that ends a line once data flows
    std::chrono::milliseconds linePause{1};   // before every line from a port (not a file)
    std::chrono::milliseconds endPause{10};   // before the closing notice
    std::chrono::milliseconds fileRetry{200}; // between attempts to open the file
    std::chrono::milliseconds fileRetryLimit{60000};
};

// What one reception reads, and where it leaves its traces.
struct ReceptionRequest {
    SerialSettings port;      // the six port settings
    bool fromFile = false;    // read filePath instead of the port
    std::string filePath;     // CP932
    bool debugSerial = false; // INI "Debug" 通信(0:リリース,1:デバック) = 1: no port at all
    PortDeviceLookup deviceLookup; // which device a port number means; empty: the defaults
    std::string tracePrefix;       // CP932 "<folder>/COMM_": trace the port; empty: no trace
    std::string captureFolder;     // CP932: the bytes a serial reception receives go to a
                                   // capture file there; empty: none kept
    LogFile* programLog = nullptr; // failure messages (code 2) are written here first
    ReceptionTimings timings;
};

// Interrupted: the input ended inside a block (silence or a vanished device on a port, the end
// of a captured file); the days whose blocks arrived whole are handed over with a message.
enum class ReceptionResult { Success, Failure, Cancelled, Interrupted };

// Reads one report from the serial port or a captured file, line by line, and parses it into
// the received days. Runs on its own thread (start) or on the caller's (run). It tells the
// dialog what happens through notices only; the dialog stops it with requestStop(), which
// makes even a read waiting without limit for the recorder return at once.
//
// Serial reception: what the port holds when the reception starts is left from an earlier
// sender (a cancelled report still coming): it goes to the capture, not to the parser. The
// first line is awaited without limit; from then on 3 s of silence between two bytes end the
// reception normally while the parser waits for a header. Silence or a read error inside a
// block interrupt it: the days whose blocks arrived whole are handed over, the cut day is not,
// and the message says why, what was kept and where the capture is. An over-long line inside
// a block fails it ("通信異常 [-3]"). A captured file that ends inside a block is interrupted
// the same way. At every end, days none of whose listings arrived are left out.
class ReceptionWorker {
public:
    // The port must outlive the worker; programLog (optional) receives the failure messages
    // before they are posted.
    ReceptionWorker(SerialPort& port, ReceptionNoticeSink& sink, LogFile* programLog = nullptr);
    ~ReceptionWorker(); // stops a running worker and waits for it
    ReceptionWorker(const ReceptionWorker&) = delete;
    ReceptionWorker& operator=(const ReceptionWorker&) = delete;

    // Stops a worker still running, then starts a new one.
    void start(const ReceptionRequest& request);
    // The same work on the calling thread; returns when it has ended.
    ReceptionResult run(const ReceptionRequest& request);

    // Asks the worker to end: it ends with Cancelled at the next line or pending read.
    // Safe from any thread, also while run() is busy on another.
    void requestStop();
    // Waits for the worker thread to end (no limit).
    void join();
    // requestStop + join.
    void stop();
    // True from start() until the worker's body has finished.
    bool running() const { return m_running.load(); }

    // Whether every received line is posted (code 1, not in the status line).
    void setShowLines(bool on) { m_showLines = on; }
    bool showLines() const { return m_showLines; }

    // Read these only after the worker has ended.
    ReceptionResult result() const { return m_result; }
    const MeasurementCircuit& receivedDays() const { return m_days; }
    // The days to hand over: all of them after a success or an interruption, none otherwise.
    MeasurementCircuit takeDays();
    // What the user is told about an interrupted reception (CP932); empty otherwise.
    const std::string& cutNotice() const { return m_cutNotice; }
    // takeDays with the interruption, as the transfer dialog takes them.
    ReceptionHandover takeHandover();

private:
    void body(const ReceptionRequest& request);
    void post(int code, bool status, std::string text);
    bool pause(std::chrono::milliseconds duration); // false when a stop cut it short
    void waitForStop();

    SerialPort& m_port;
    ReceptionNoticeSink& m_sink;
    LogFile* m_log;

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_showLines{true};
    std::mutex m_waitMutex;
    std::condition_variable m_wake;

    ReceptionResult m_result = ReceptionResult::Success;
    MeasurementCircuit m_days;
    std::string m_cutNotice;
};

// One reception on the calling thread, for the command line and tests.
struct ReceptionOutcome {
    ReceptionResult result = ReceptionResult::Success;
    MeasurementCircuit days;              // handed-over days: empty unless Success or Interrupted
    std::string cutNotice;                // the message of an interrupted reception
    std::vector<ReceptionNotice> notices; // everything the worker posted, in order
    std::vector<std::string> messages;    // the failure texts (code 2)
};
ReceptionOutcome runReception(const ReceptionRequest& request, const PortDeviceLookup& lookup = {},
                              LogFile* programLog = nullptr);
