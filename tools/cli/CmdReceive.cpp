// receive: one reception without a window, from the serial port or a captured file.
#include "link/LinkTexts.h"
#include "link/ReceptionSetup.h"
#include "link/ReceptionWorker.h"
#include "link/SerialPort.h"
#include "support/Sjis.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/DataFolder.h"
#include "tools/cli/FileDays.h"
#include "tools/cli/RecordJson.h"
#include <csignal>
#include <ctime>
#include <mutex>
#include <ostream>
#include <pthread.h>

namespace {

// Status texts and failure messages go to stderr the moment the worker posts them; the
// failure message is kept for the JSON document.
class StderrNotices : public ReceptionNoticeSink {
public:
    explicit StderrNotices(std::ostream& err) : m_err(err) {}
    void onReceptionNotice(ReceptionNotice notice) override {
        if (notice.code != ReceptionNotice::AddLine &&
            notice.code != ReceptionNotice::LogAndAddLine)
            return;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (notice.code == ReceptionNotice::LogAndAddLine) {
            m_failure = sjis::toUtf8(notice.text);
            m_err << kMessagePrefix;
        }
        m_err << sjis::toUtf8(notice.text) << '\n';
        m_err.flush();
    }
    // Read after the worker has ended.
    const std::string& failure() const { return m_failure; }

private:
    std::ostream& m_err;
    std::mutex m_mutex;
    std::string m_failure;
};

// Runs the worker on its own thread while this one waits for SIGINT, which stops it the way
// "中断／戻る" does. SIGINT is blocked in both threads for the time of the reception, so it
// only arrives here. Returns true when the user interrupted.
bool receiveUntilDoneOrInterrupted(ReceptionWorker& worker, const ReceptionRequest& request) {
    sigset_t interrupt, previous;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
    worker.start(request);
    bool interrupted = false;
    while (worker.running()) {
        const timespec wait{0, 50 * 1000 * 1000};
        if (sigtimedwait(&interrupt, nullptr, &wait) == SIGINT && !interrupted) {
            interrupted = true;
            worker.requestStop();
        }
    }
    worker.join();
    // A SIGINT that came with the end counts too; none may stay pending.
    const timespec none{0, 0};
    while (sigtimedwait(&interrupt, nullptr, &none) == SIGINT)
        interrupted = true;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return interrupted;
}

} // namespace

int cmdReceive(const CliArgs& args, CliIo io) {
    const bool filing = args.has("customer") || args.has("circuit");
    if (filing && !(args.has("customer") && args.has("circuit")))
        throw UsageError("--customer and --circuit go together", args.command);
    if (!filing && (args.has("overwrite") || args.has("channel") || args.has("partial")))
        throw UsageError("--overwrite, --channel and --partial need --customer and --circuit",
                         args.command);
    if (args.has("port") && args.has("file"))
        throw UsageError("give --port or --file, not both", args.command);
    const bool overwrite = cli::overwriteArg(args);
    const int channel = cli::channelArg(args);
    int portNumber = 0;
    if (auto p = args.get("port")) {
        std::size_t used = 0;
        try {
            portNumber = std::stoi(*p, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != p->size() || portNumber < 1)
            throw UsageError("--port takes a port number from 1", args.command);
    }
    cli::DataFolder folder = cli::resolveDataFolder(args);

    // Filing needs the data folder for itself from the start: receiving first and then
    // finding the program running would lose the reception.
    InstanceLock lock;
    if (filing && !cli::lockDataFolder(io, folder, lock))
        return ExitFailure;
    cli::DataFileContents contents;
    if ((filing || !args.has("file")) &&
        cli::loadDataFile(io, folder, contents) == cli::LoadStatus::Failed)
        return ExitFailure;

    // The program's own settings: port map, "Debug" keys, capture folder.
    ReceptionRequest request = makeReceptionRequest(contents.serial, {folder.home, folder.iniFile});
    if (portNumber > 0)
        request.port.portNumber = portNumber;
    if (auto file = args.get("file")) {
        request.fromFile = true;
        request.filePath = cli::pathArg(*file);
    }
    SerialPort port;
    StderrNotices notices(io.err);
    ReceptionWorker worker(port, notices);
    worker.setShowLines(false);
    const bool stopped = receiveUntilDoneOrInterrupted(worker, request);
    // Cut inside a block: the days that arrived whole are kept, and the reason is on stderr.
    const bool cut = !stopped && worker.result() == ReceptionResult::Interrupted;
    const bool failed = stopped || (worker.result() != ReceptionResult::Success && !cut);
    if (!filing) {
        // What dump-report prints: also the days received before a failure, with its message.
        std::string error;
        if (failed)
            error = stopped                      ? std::string(txt::cli::kReceptionInterrupted)
                    : !notices.failure().empty() ? notices.failure()
                                                 : sjis::toUtf8(txt::link::kReceptionProblem);
        JsonWriter json(io.out);
        writeReportDocument(json, worker.receivedDays(), error,
                            cut ? sjis::toUtf8(worker.cutNotice()) : std::string());
    }
    if (stopped) {
        cli::message(io, txt::cli::kReceptionInterrupted);
        return ExitFailure;
    }
    if (failed) {
        cli::messageCp932(io, txt::link::kReceptionProblem);
        return ExitFailure;
    }
    if (!filing)
        return cut ? ExitFailure : ExitOk;
    if (cut && !args.has("partial")) {
        cli::message(io, txt::cli::kPartialNotFiled);
        return ExitFailure;
    }
    MeasurementCircuit received = worker.takeDays();
    std::vector<MeasurementDay> days;
    if (!cli::chooseChannelDays(io, received, channel, days))
        return ExitFailure;
    const int status = cli::fileAndSave(io, args, folder, contents, days, overwrite);
    return cut ? ExitFailure : status;
}
