#include "link/ReceptionWorker.h"
#include "link/LinkTexts.h"
#include "link/ReceptionCapture.h"
#include "link/ReportLineCleaner.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "support/CxException.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/LogFile.h"
#include "support/RetryOpen.h"
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

constexpr uint32_t kLineLimit = 1000;

} // namespace

ReceptionWorker::ReceptionWorker(SerialPort& port, ReceptionNoticeSink& sink, LogFile* programLog)
    : m_port(port), m_sink(sink), m_log(programLog) {}

ReceptionWorker::~ReceptionWorker() {
    stop();
}

void ReceptionWorker::start(const ReceptionRequest& request) {
    stop();
    m_stop = false;
    m_running = true;
    m_thread = std::thread([this, request] {
        body(request);
        m_running = false;
    });
}

ReceptionResult ReceptionWorker::run(const ReceptionRequest& request) {
    stop();
    m_stop = false;
    m_running = true;
    body(request);
    m_running = false;
    return m_result;
}

void ReceptionWorker::requestStop() {
    {
        std::lock_guard<std::mutex> lock(m_waitMutex);
        m_stop = true;
    }
    m_wake.notify_all();
    // Shorten the port's waits and break a read that waits without limit.
    m_port.SetPortTimeouts(1, 1, 1, 1, 1);
    m_port.SetReadLineTimeout(1);
    m_port.cancelPendingRead();
}

void ReceptionWorker::join() {
    if (m_thread.joinable())
        m_thread.join();
}

void ReceptionWorker::stop() {
    if (m_thread.joinable()) {
        requestStop();
        join();
    }
}

MeasurementCircuit ReceptionWorker::takeDays() {
    if (m_result != ReceptionResult::Success && m_result != ReceptionResult::Interrupted)
        return {};
    return std::move(m_days);
}

ReceptionHandover ReceptionWorker::takeHandover() {
    ReceptionHandover handover(takeDays());
    handover.interrupted = m_result == ReceptionResult::Interrupted;
    handover.notice = m_cutNotice;
    return handover;
}

void ReceptionWorker::post(int code, bool status, std::string text) {
    m_sink.onReceptionNotice(ReceptionNotice{code, status, std::move(text)});
}

bool ReceptionWorker::pause(std::chrono::milliseconds duration) {
    if (duration.count() <= 0)
        return !m_stop;
    std::unique_lock<std::mutex> lock(m_waitMutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_stop.load(); });
}

void ReceptionWorker::waitForStop() {
    std::unique_lock<std::mutex> lock(m_waitMutex);
    m_wake.wait(lock, [this] { return m_stop.load(); });
}

void ReceptionWorker::body(const ReceptionRequest& request) {
    m_result = ReceptionResult::Success;
    m_days = MeasurementCircuit();
    m_cutNotice.clear();
    ParseContext context(m_days);

    const bool serial = !request.fromFile;
    const bool debug = serial && request.debugSerial;
    const ReceptionTimings& timing = request.timings;
    bool failed = false;
    std::optional<CutReason> cut; // the input ended inside a block
    bool cutLine = false;         // ... inside its last line
    OpenedFile file;
    std::filesystem::path full; // the file's full path
    std::string shown;          // the same as the messages show it
    std::optional<ReportTextReader> reader;
    LogFile* log = request.programLog ? request.programLog : m_log;
    std::optional<ReceptionCapture> capture;
    if (serial && !debug && !request.captureFolder.empty())
        capture.emplace(request.captureFolder);
    bool captureReported = false;
    auto keep = [&](std::string_view bytes) {
        if (!capture || capture->append(bytes) || bytes.empty() || captureReported)
            return;
        captureReported = true;
        const std::string where =
            displayPath(capture->path().empty() ? request.captureFolder : capture->path());
        const sjis::String text = formatText(txt::link::kCaptureFailed, where.c_str());
        if (log)
            log->WriteLine(text);
        post(ReceptionNotice::LogAndAddLine, false, text);
    };

    try {
        if (!serial) {
            std::error_code ec;
            full = std::filesystem::absolute(request.filePath, ec).lexically_normal();
            if (ec)
                full = request.filePath;
            shown = displayPath(full);
            post(ReceptionNotice::AddLine, true, formatText(txt::link::kFileOpen, shown.c_str()));
            if (!std::filesystem::exists(full, ec))
                throw CxException(0, txt::link::kFileMissing, shown.c_str());
            // Another program may still be writing the capture: try again for a while.
            RetryPolicy retry;
            retry.interval = timing.fileRetry;
            retry.timeout = timing.fileRetryLimit;
            retry.sleep = [this](std::chrono::milliseconds duration) { pause(duration); };
            retry.stop = &m_stop;
            OpenResult opened = openWithRetry(full, OpenAccess::ReadDenyWrite, retry);
            if (opened.error == std::errc::operation_canceled)
                throw CxException(); // interrupted while waiting for the file
            if (!opened)
                throw CxException(0, txt::link::kFileOpenFailed, shown.c_str());
            file = std::move(opened.file);
            reader.emplace(file);
            reader->setStopFlag(&m_stop);
        } else {
            if (request.deviceLookup)
                m_port.setDeviceLookup(request.deviceLookup);
            if (!request.tracePrefix.empty())
                m_port.OpenTrace(request.tracePrefix, 7, 4, 10000, 0x500000);
            post(ReceptionNotice::AddLine, true, txt::link::kPortOpen);
            if (!debug) {
                const SerialSettings& s = request.port;
                m_port.Configure(s.portNumber, s.baudRate, s.byteSize, s.stopBits, s.parity,
                                 s.flowControl);
                if (!m_port.Open()) {
                    std::string error = SerialPort::FormatSystemError(m_port.lastError());
                    if (m_port.lackedPermission())
                        error += txt::link::kPortPermissionHint.view();
                    throw CxException(0, txt::link::kPortOpenFailed, error.c_str());
                }
                // The recorder starts when its operator presses the button: wait without limit.
                m_port.SetReadLineTimeout(SerialPort::kNoLimit);
                pause(timing.settle);
                // Bytes already waiting belong to an earlier sender (the rest of a cancelled
                // report): the capture keeps them, the parser never sees them.
                const std::string stale = m_port.takeWaitingInput();
                if (!stale.empty()) {
                    keep(stale);
                    post(ReceptionNotice::AddLine, false,
                         formatText(txt::link::kDiscardedInput,
                                    static_cast<unsigned>(stale.size())));
                }
            }
            post(ReceptionNotice::AddLine, true, txt::link::kWaitingForDevice);
        }

        static const char* const kTerminators[] = {"\n"};
        char buffer[kLineLimit + 1];
        std::string line;
        bool first = true;
        for (;;) {
            if (m_stop)
                throw CxException(); // interrupted
            bool complete = true;
            if (!serial) {
                // A file is read as fast as it goes; the pause is for a live port.
                if (!reader->nextLine(line)) {
                    if (reader->failed())
                        throw CxException(0, txt::link::kFileReadFailed, shown.c_str());
                    if (context.state != ParseState::WaitHeader)
                        cut = CutReason::FileEnd;
                    throw CxException(); // end of the file
                }
                complete = reader->lineComplete();
            } else if (debug) {
                pause(timing.linePause);
                // No device: wait as for a recorder that never sends.
                waitForStop();
                throw CxException();
            } else {
                pause(timing.linePause);
                uint32_t count = 0;
                int32_t rc = m_port.ReadLine(buffer, kLineLimit, &count, kTerminators, 1);
                keep(std::string_view(buffer, count));
                if (rc != 0) {
                    // Interrupted, or the recorder is done after its last block. Before the
                    // first line a read error is no end: the device has gone.
                    if (m_stop)
                        throw CxException();
                    if (!first && (rc == -1 || rc == -2)) {
                        // A cut line is never parsed; in a block, or as a header, it is a cut.
                        line.assign(buffer, count);
                        ReportLineCleaner(line, kReceptionCleanOptions);
                        if (context.state != ParseState::WaitHeader ||
                            line.compare(0, txt::link::kChannelMark.size(),
                                         txt::link::kChannelMark.view()) == 0)
                            cut = rc == -2 ? CutReason::Silence : CutReason::ReadError;
                        throw CxException();
                    }
                    if (!first && context.state == ParseState::WaitHeader)
                        throw CxException();
                    throw CxException(rc, txt::link::kCommError, rc);
                }
                line.assign(buffer, count);
            }
            ReportLineCleaner(line, kReceptionCleanOptions);

            if (first) {
                first = false;
                post(ReceptionNotice::AddLine, true,
                     serial ? txt::link::kReceiving.c_str() : txt::link::kFileReading.c_str());
                if (serial)
                    m_port.SetReadLineTimeout(timing.interByteMs);
            }
            if (m_showLines)
                post(ReceptionNotice::AddLine, false, line);
            if (!FeedReadLine(context, line, complete)) {
                cut = CutReason::FileEnd;
                cutLine = true;
                throw CxException(); // the file ends inside its last line
            }
        }
    } catch (const CxException& e) {
        if (e.hasMessage()) {
            if (log)
                log->WriteLine(e.message());
            post(ReceptionNotice::LogAndAddLine, true, e.message().str());
            failed = true;
        }
    } catch (const std::exception&) {
        if (log)
            log->WriteLine(txt::link::kUnexpected);
        post(ReceptionNotice::LogAndAddLine, true, txt::link::kUnexpected);
        failed = true;
    }
    reader.reset();
    file = OpenedFile();

    if (serial) {
        post(ReceptionNotice::AddLine, true, txt::link::kPortClose);
        if (!debug)
            m_port.Close();
    }
    bool interrupted = false;
    if (!failed && !m_stop) {
        const ReportEnd end = FinishReport(context, cutLine);
        for (const DayKey& day : end.headless)
            post(ReceptionNotice::AddLine, false, headlessDayMessage(day));
        if (cut) {
            interrupted = true;
            const std::string where =
                serial ? (capture ? displayPath(capture->path()) : std::string()) : shown;
            m_cutNotice = cutReceptionMessage(*cut, end, m_days.days.count(), where);
            if (log)
                log->WriteLine(sjis::Text(m_cutNotice));
            post(ReceptionNotice::LogAndAddLine, true, m_cutNotice);
        }
    }
    if (!failed)
        post(ReceptionNotice::AddLine, true, txt::link::kFinishing);
    std::this_thread::sleep_for(timing.endPause);

    if (failed)
        m_result = ReceptionResult::Failure;
    else if (m_stop)
        m_result = ReceptionResult::Cancelled;
    else if (interrupted)
        m_result = ReceptionResult::Interrupted;
    else
        m_result = ReceptionResult::Success;
    post(failed ? ReceptionNotice::Failed : ReceptionNotice::Succeeded, false, {});
}

namespace {

class CollectingSink : public ReceptionNoticeSink {
public:
    void onReceptionNotice(ReceptionNotice notice) override {
        if (notice.code == ReceptionNotice::LogAndAddLine)
            messages.push_back(notice.text);
        notices.push_back(std::move(notice));
    }
    std::vector<ReceptionNotice> notices;
    std::vector<std::string> messages;
};

} // namespace

ReceptionOutcome runReception(const ReceptionRequest& request, const PortDeviceLookup& lookup,
                              LogFile* programLog) {
    SerialPort port;
    port.setDeviceLookup(lookup);
    CollectingSink sink;
    ReceptionOutcome outcome;
    {
        ReceptionWorker worker(port, sink, programLog);
        outcome.result = worker.run(request);
        outcome.days = worker.takeDays();
        outcome.cutNotice = worker.cutNotice();
    }
    outcome.notices = std::move(sink.notices);
    outcome.messages = std::move(sink.messages);
    return outcome;
}
