#include "tools/cli/CliArgs.h"

namespace {

const char kDumpReportHelp[] =
    R"(usage: orvoview-cli dump-report FILE

Reads a captured recorder report the way the reception reads a received file
(CR LF becomes LF, a Ctrl-Z byte ends the text, each line is cleaned and fed to
the report parser; the end of the file is a normal end) and prints the received
days as JSON: {"kind": "report", "error": null, "days": [ ... ]}, in (channel,
date) order. FILE "-" is standard input; a pipe is read to its end.

On a failure (a grammar error, a file that cannot be read) the program's message
goes to stderr, the document holds the days received before it and "error" the
message, and the exit status is 1. A report cut inside a block (its end is
missing) holds the days whose blocks are whole, "interrupted" says why (null
otherwise), and the exit status is 1.
)";

const char kDumpDataHelp[] =
    R"(usage: orvoview-cli dump-data FILE

Loads a data file ("Orvo.DAT") or a customer export file and prints it as JSON.
A data file: {"kind": "dataFile", "error": null, "version": 3,
"serial": [6 ints], "customers": [ ... ]}; an export file: {"kind":
"customerFile", "error": null, "name": ..., "circuits": [ ... ]}.
FILE "-" is standard input; a pipe is read to its end (up to 1024 MiB).
A file that cannot be read prints nothing on stdout and exits with status 1;
stderr gets the program's message, then the system's reason where there is
one, then the path:
  データファイルが壊れている可能性があります
  データファイルのバージョンが違いますます
  データファイルを読み込むことが出来ません
)";

const char kListHelp[] =
    R"(usage: orvoview-cli list [--json] [--home DIR]

Lists the customers, their circuits and the stored days (date and label) of the
data folder. --json prints the same as JSON: {"kind": "list", "error": null,
"customers": [ ... ]}.
)";

const char kImportReportHelp[] =
    R"(usage: orvoview-cli import-report FILE --customer NAME --circuit NAME
                                 [--overwrite yes|no] [--channel N] [--partial]
                                 [--home DIR]

Parses a captured report (FILE "-" is standard input; a pipe is read to its
end) and files the received days of one channel into the circuit, creating customer and circuit when missing (names are checked like in
the customer editing dialog), then saves the data file.
  --channel N       the channel to take (1 or 2); without it the received days
                    must all be of one channel
  --overwrite no    dates already stored are kept (default)
  --overwrite yes   dates already stored are replaced
Stored days take channel 1. Nothing is saved when the report has a grammar
error. A report cut inside a block (a capture of a reception that broke off)
exits with status 1; with --partial the days whose blocks are whole are filed
first (never the day that was cut), without it nothing is.
)";

const char kCsvHelp[] =
    R"(usage: orvoview-cli csv --customer NAME --circuit NAME
                       (--day YYYY-MM-DD | --month YYYY-MM)
                       [--channel N] [--start-day D] [--out DIR] [--home DIR]
       orvoview-cli csv --customer NAME [--circuit NAME]
                       --from YYYY-MM-DD --to YYYY-MM-DD [--out DIR] [--home DIR]

Writes the daily CSV report of one day or the monthly CSV report of one report
month, with the program's file names and content. With --from and --to it
writes the daily report of every stored day of the period, as 一括出力 does:
of the circuit named, or without --circuit of every circuit of the customer
(run once per customer for several customers); then "n 件出力しました" on
stderr with every file that failed and why, and status 1 when one failed.
--out names the folder (default: the current folder); it is created when
missing. Existing files are replaced. The written paths are printed, one a
line.
  --channel N       the channel the report names ("測定ＣＨ" and the file
                    name), 1 or 2, like the selector bar's "CH：" box
                    (default 1, as the program shows a selected day)
  --start-day D     the first day of a report month, 1 to 31 (default:
                    "MonStartDay" of the INI file, else 1)
)";

const char kXlsxHelp[] =
    R"(usage: orvoview-cli xlsx --customer NAME --circuit NAME
                        (--day YYYY-MM-DD | --month YYYY-MM |
                         --from YYYY-MM-DD --to YYYY-MM-DD)
                        [--out DIR] [--home DIR]

Writes the daily report of one day or the monthly report of one report month as
an Excel workbook (.xlsx) with the file name the CSV report would have: the
title block, the measured values as numbers, the summary and charts of power,
power factor, voltages and currents. --from and --to write one workbook
"日報_<customer>_<circuit>_<from>-<to>_1.xlsx" with a sheet for every stored day
in the range. --out names the folder (default: the current folder); it is
created when missing. An existing file is replaced. The written path is printed.
--channel and --start-day as for csv.
)";

const char kPdfHelp[] =
    R"(usage: orvoview-cli pdf --customer NAME --circuit NAME
                       (--day YYYY-MM-DD | --month YYYY-MM)
                       [--channel N] [--start-day D] [--out DIR] [--home DIR]
       orvoview-cli pdf --customer NAME [--circuit NAME]
                       --from YYYY-MM-DD --to YYYY-MM-DD [--start-day D]
                       [--out DIR] [--home DIR]

Writes the PDF that PDFに出力 writes of one day or one report month, with the
program's file name and pages (the table, the graph at the report's own scales
and, when chosen in 分析, the analysis page). With --from and --to it writes
the daily PDF of every stored day of the period, as 一括出力 does: of the
circuit named, or without --circuit of every circuit of the customer; then
"n 件出力しました" on stderr with every file that failed and why, and status 1
when one failed. --out names the folder (default: the current folder); it is
created when missing. Existing files are replaced. The written paths are
printed, one a line. --channel and --start-day as for csv.
The pages are drawn as the window draws them, on the display when there is one,
else without one (Qt's offscreen platform).
)";

const char kExportHelp[] =
    R"(usage: orvoview-cli export --customer NAME --out FILE [--home DIR]

Writes one customer with all its circuits and days to an export file.
An existing file is replaced.
)";

const char kExportSqliteHelp[] =
    R"(usage: orvoview-cli export-sqlite FILE [--home DIR]

Writes every customer, circuit, day, sample and day summary of the data file
into the SQLite database FILE, in one transaction. A missing FILE is created; an
existing one is updated in place: new days are added, a day whose contents
changed is replaced, nothing is written twice, and days the data file no longer
has stay (several data files can be gathered into one database). Times are
ISO 8601 text, names UTF-8; the schema is in the README.
)";

const char kImportHelp[] =
    R"(usage: orvoview-cli import FILE [--yes] [--home DIR]

Reads a customer export file and adds the customer to the data file. The
program asks before it imports; --yes answers yes without asking, otherwise
the answer is read from stdin (y/n). A customer of the same name gets the name
"NAME_1", "NAME_2" ... FILE "-" reads the file from standard input (a pipe is
read to its end, up to 1024 MiB); it needs --yes.
)";

const char kReceiveHelp[] =
    R"(usage: orvoview-cli receive [--port N | --file FILE] [--home DIR]
                           [--customer NAME --circuit NAME [--overwrite yes|no]
                            [--channel N] [--partial]]

Runs a reception without a window: from the serial port and settings stored in
the data file (--port N picks another port number) or from a captured file
(--file). Status texts go to stderr as they happen. The received days are
printed as JSON like dump-report (also after a failure: the days received
before it, with "error"), or, with --customer and --circuit, filed into that
circuit like import-report and saved. Port n is the device named by
"COM<n>" in section [Port] of the INI file, else /dev/ttyUSB<n-1>. A failed
reception exits with status 1 and files nothing. Ctrl+C stops the reception
like "中断／戻る" (status 1, nothing filed). A reception cut inside a block
(silence, a vanished device, a file that ends early) says why on stderr and
exits with status 1; the days whose blocks arrived whole are printed (with
"interrupted": "<message>"), and filed only with --partial.
)";

const char kAnalyseHelp[] =
    R"(usage: orvoview-cli analyse --customer NAME --circuit NAME
                           (--day YYYY-MM-DD | --month YYYY-MM | --year YYYY)
                           [--start-day D] [--home DIR]

Prints the analysis of a daily or monthly report as JSON: each stored day with
its interval, missing and outage intervals; the 30-minute demand of every clock
half-hour (W, from whatever interval the recorder used), the maximum demand,
the ten largest half-hours and the largest of the twelve report months ending
with the report's month; the counts of intervals outside the circuit's limits
(contract demand, voltage band, power-factor threshold, kept in DATA/Analysis.INI);
minimum, average and maximum with their times of power, voltages, currents and
power factor, the load factor (%) and the power factor's effect on the basic
charge (% , negative = discount). Report months start on --start-day D (1 to
31; default "MonStartDay" of the INI file, else 1). The document is
{"kind": "analysis", "error": null, ...}. Outage intervals (every voltage 0) are left out of the statistics and
the limit counts.

With --year, the year at a glance instead: the twelve report months January …
December of the year, each with its energy, reverse energy, lead and lag
reactive energy, maximum 30-minute demand with its time, average power factor,
load factor, days stored, days in the month and incomplete days, as the monthly
report of that month gives them.
)";

const CliOption kCustomer{"customer", true};
const CliOption kCircuit{"circuit", true};
const CliOption kOverwrite{"overwrite", true};
const CliOption kStartDay{"start-day", true};
// csv, xlsx and pdf: one report or a period of a circuit, written to a folder.
const std::vector<CliOption> kReportOutputOptions = {
    kCustomer,    kCircuit,      {"day", true},     {"month", true}, {"from", true},
    {"to", true}, {"out", true}, {"channel", true}, kStartDay};

} // namespace

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        {"dump-report", 1, 1, {}, kDumpReportHelp},
        {"dump-data", 1, 1, {}, kDumpDataHelp},
        {"list", 0, 0, {{"json", false}}, kListHelp},
        {"import-report",
         1,
         1,
         {kCustomer, kCircuit, kOverwrite, {"channel", true}, {"partial", false}},
         kImportReportHelp},
        {"csv", 0, 0, kReportOutputOptions, kCsvHelp},
        {"xlsx", 0, 0, kReportOutputOptions, kXlsxHelp},
        {"pdf", 0, 0, kReportOutputOptions, kPdfHelp},
        {"export", 0, 0, {kCustomer, {"out", true}}, kExportHelp},
        {"import", 1, 1, {{"yes", false}}, kImportHelp},
        {"export-sqlite", 1, 1, {}, kExportSqliteHelp},
        {"receive",
         0,
         0,
         {{"port", true},
          {"file", true},
          kCustomer,
          kCircuit,
          kOverwrite,
          {"channel", true},
          {"partial", false}},
         kReceiveHelp},
        {"analyse",
         0,
         0,
         {kCustomer, kCircuit, {"day", true}, {"month", true}, {"year", true}, kStartDay},
         kAnalyseHelp},
    };
    return commands;
}

const CliCommand* findCliCommand(const std::string& name) {
    for (const CliCommand& c : cliCommands())
        if (name == c.name)
            return &c;
    return nullptr;
}

std::string cliOverview() {
    return R"(usage: orvoview-cli [--home DIR] COMMAND [ARGS]
       orvoview-cli COMMAND --help
       orvoview-cli --help | --version

Command-line companion of OrvoView: reads captured recorder reports, data files
and export files, and files, lists, exports and imports measurement data.

Commands:
  dump-report FILE      print the days of a captured report as JSON
  dump-data FILE        print a data file or a customer export file as JSON
  list                  list customers, circuits and stored days
  import-report FILE    file the days of a captured report into a circuit
  csv                   write daily or monthly CSV reports
  xlsx                  write a daily or monthly report as an Excel workbook
  pdf                   write a daily or monthly report as PDFに出力 does
  export                write one customer to an export file
  import FILE           add the customer of an export file
  export-sqlite FILE    write every measurement into an SQLite database
  receive               receive a report from the recorder without a window
  analyse               demand, limits, gaps and statistics of a report as JSON

Options of every command, before or after it:
  --home DIR            the program folder (it holds the INI file and "DATA")
  --help                this text, or the command's
  --version             the version

The program folder: --home DIR, else $ORVOVIEW_HOME; else the folder of this
executable when you may write to it and it is not an installed copy; else
$XDG_DATA_HOME/OrvoView (by default ~/.local/share/OrvoView), the folder the
installed OrvoView uses. Commands that change the data file refuse to run while
OrvoView has the folder open.

FILE "-" is standard input for dump-report, dump-data, import-report and
import; a pipe named as FILE is read to its end.

JSON: every document is one object whose first members are "kind" ("report",
"dataFile", "customerFile", "list" or "analysis") and "error" (null, or the
message of a failure after which the report commands still print the days
read before it). Numbers read back as the same double; the values a double
cannot hold as a number are the strings "Infinity", "-Infinity" and "NaN".
The JSON Schema is orvoview-cli.schema.json (installed in
/usr/share/orvoview).

Messages go to stderr as "orvoview-cli: " and the text, the program's own where
it has one; a reception's status texts are printed as they come.

Exit status: 0 success, 1 user or data error, 2 wrong usage.
)";
}

std::string cliVersion() {
    return std::string("orvoview-cli ") + ORVO_VERSION + "\n";
}

std::optional<std::string> CliArgs::get(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

std::string CliArgs::require(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end())
        throw UsageError("missing option --" + name, command);
    return it->second;
}

namespace {

// Options every command takes, before or after the command's name.
const CliOption kGlobalOptions[] = {{"home", true}, {"version", false}};

const CliOption* findOption(const CliCommand* command, const std::string& name) {
    for (const CliOption& o : kGlobalOptions)
        if (name == o.name)
            return &o;
    if (command)
        for (const CliOption& o : command->options)
            if (name == o.name)
                return &o;
    return nullptr;
}

} // namespace

CliArgs parseCliArgs(const std::vector<std::string>& args) {
    CliArgs result;
    if (args.empty())
        throw UsageError("no command given", "");
    const CliCommand* command = nullptr;
    bool commandSeen = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool option = !optionsEnded && a.size() >= 2 && a[0] == '-';
        if (!option && !commandSeen) {
            // The first word that is no option names the command ("help CMD" asks for its help).
            commandSeen = true;
            if (a == "help") {
                result.help = true;
                if (i + 1 < args.size()) {
                    if (!findCliCommand(args[i + 1]))
                        throw UsageError("unknown command '" + args[i + 1] + "'", "");
                    result.command = args[++i];
                    command = findCliCommand(result.command);
                }
                continue;
            }
            command = findCliCommand(a);
            if (!command)
                throw UsageError("unknown command '" + a + "'", "");
            result.command = a;
            continue;
        }
        if (!option) {
            result.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            result.help = true;
            continue;
        }
        if (a.compare(0, 2, "--") != 0)
            throw UsageError("unknown option '" + a + "'", result.command);
        std::string name = a.substr(2);
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const CliOption* found = findOption(command, name);
        if (!found)
            throw UsageError("unknown option '--" + name + "'", result.command);
        if (result.options.count(name))
            throw UsageError("option --" + name + " given twice", result.command);
        std::string value;
        if (found->takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else {
                if (i + 1 >= args.size())
                    throw UsageError("option --" + name + " needs a value", result.command);
                value = args[++i];
            }
        } else if (inlineValue) {
            throw UsageError("option --" + name + " takes no value", result.command);
        }
        result.options[name] = value;
    }
    if (result.help || result.has("version"))
        return result;
    if (!command)
        throw UsageError("no command given", "");
    int n = static_cast<int>(result.positional.size());
    if (n < command->minPositional)
        throw UsageError("missing argument FILE", result.command);
    if (n > command->maxPositional)
        throw UsageError("unexpected argument '" +
                             result.positional[static_cast<std::size_t>(command->maxPositional)] +
                             "'",
                         result.command);
    return result;
}
