// orvo-reportgen: writes a realistic recorder report (Shift-JIS) to a file, standard output, a
// serial device or a pseudo-terminal of its own, paced at a baud rate.
#include "support/DateText.h"
#include "tools/reportgen/PacedWriter.h"
#include "tools/reportgen/ReportGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

const char* const kUsage = R"(usage: orvo-reportgen [OPTIONS]
       orvo-reportgen --help | --version

Writes a realistic report of an Orvo power recorder, in Shift-JIS as the
recorder prints it, to a file, standard output, a serial device or a
pseudo-terminal of its own, paced at a baud rate: a recorder to test the
reception of OrvoView and orvoview-cli with. A developer's tool.

Options:
  --seed N           random seed (1)
  --start YYYY/MM/DD first day (2006/12/15)
  --days N           number of days (1)
  --channels LIST    1, 2 or 1,2 (1)
  --type1 T          circuit type of channel 1: 1 単相, 2 3相3線, 3 3相4線 (1)
  --type2 T          circuit type of channel 2 (2)
  --reverse          with the reverse power column
  --interval MIN     interval length in minutes, divides a day, 1-60 (30)
  --no-outages       no outages
  --no-noise         no titles, page headers or blank lines between blocks
  --half-width       headers in half-width characters
  --lf | --crlf      line ends (default: CR LF to a file, LF to a terminal)
  --out PATH         file or serial device (default: standard output)
  --pty              create a pseudo-terminal, print its path, wait for a reader
  --baud N           pace at N baud (10 bits a byte); 0 = unpaced (default: 38400 for a
                     terminal, 0 for a file)
  --wait-reader S    seconds to wait for a reader of the pseudo-terminal (30)
  --help             this text
  --version          the version
)";

[[noreturn]] void usage(const std::string& error) {
    std::cerr << "orvo-reportgen: " << error << "\nTry 'orvo-reportgen --help'.\n";
    std::exit(2);
}

long number(const char* text, const char* option) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0') {
        usage(std::string("bad number for ") + option);
    }
    return v;
}

} // namespace

int main(int argc, char** argv) {
    // Answered whatever else the line holds.
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage << std::flush;
            return std::cout ? 0 : 1;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--version") {
            std::cout << "orvo-reportgen " << ORVO_VERSION << std::endl;
            return std::cout ? 0 : 1;
        }
    }
    ReportGenOptions options;
    std::string out;
    bool pty = false;
    int baud = -1;
    long waitReader = 30;
    const char* lineEnd = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                usage("missing value for " + a);
            }
            return argv[++i];
        };
        if (a == "--seed") {
            options.seed = std::strtoull(value(), nullptr, 10);
        } else if (a == "--start") {
            auto d = parseDateText(value());
            if (!d) {
                usage("bad date for --start");
            }
            options.firstDay = d->dateOnly();
        } else if (a == "--days") {
            options.days = static_cast<int>(number(value(), "--days"));
        } else if (a == "--channels") {
            std::string v = value();
            options.channel1 = v.find('1') != std::string::npos;
            options.channel2 = v.find('2') != std::string::npos;
        } else if (a == "--type1" || a == "--type2") {
            int32_t t = circuitTypeFromText(value());
            if (t == 0) {
                usage("bad circuit type for " + a);
            }
            (a == "--type1" ? options.circuitType1 : options.circuitType2) = t;
        } else if (a == "--reverse") {
            options.reverse = true;
        } else if (a == "--interval") {
            options.intervalMinutes = static_cast<int>(number(value(), "--interval"));
        } else if (a == "--no-outages") {
            options.outages = false;
        } else if (a == "--no-noise") {
            options.noise = false;
        } else if (a == "--half-width") {
            options.fullWidthHeader = false;
        } else if (a == "--lf") {
            lineEnd = "\n";
        } else if (a == "--crlf") {
            lineEnd = "\r\n";
        } else if (a == "--out") {
            out = value();
        } else if (a == "--pty") {
            pty = true;
        } else if (a == "--baud") {
            baud = static_cast<int>(number(value(), "--baud"));
        } else if (a == "--wait-reader") {
            waitReader = number(value(), "--wait-reader");
        } else {
            usage("unknown option " + a);
        }
    }
    options.keepExpected = false;

    try {
        std::unique_ptr<PacedWriter> writer;
        bool terminal = pty;
        if (pty) {
            writer = std::make_unique<PacedWriter>(baud < 0 ? 38400 : baud);
            std::cout << writer->slavePath() << std::endl;
            if (!writer->waitForReader(std::chrono::seconds(waitReader))) {
                std::cerr << "orvo-reportgen: no reader on " << writer->slavePath() << "\n";
                return 1;
            }
        } else if (!out.empty()) {
            struct stat st {};
            terminal = ::stat(out.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
            writer = std::make_unique<PacedWriter>(out, baud >= 0 ? baud : (terminal ? 38400 : 0));
        }
        options.lineEnd = lineEnd ? lineEnd : (terminal ? "\n" : "\r\n");
        ReportGenerator generator(options);
        std::string piece;
        while (generator.next(piece)) {
            if (writer) {
                writer->write(piece);
            } else {
                std::fwrite(piece.data(), 1, piece.size(), stdout);
            }
            piece.clear();
        }
        if (writer) {
            writer->drain();
            if (pty) {
                // Let the reader take the last bytes before the master side goes away.
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
            }
        } else {
            std::fflush(stdout);
        }
        std::cerr << "orvo-reportgen: " << generator.linesWritten() << " lines\n";
    } catch (const std::exception& e) {
        std::cerr << "orvo-reportgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
